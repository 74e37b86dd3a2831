#include "gui/HistoryWindow.h"

#include "gui/HistoryHost.h"
#include "gui/JournalListModel.h"
#include "gui/JournalServerDialog.h"
#include "gui/ManifestDialog.h"
#include "gui/ShippedFileDialog.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"
#include "shipping/ShippingSettings.h"
#include "shipping/TrackingAttach.h"
#include "widgets/ErrorReport.h"
#include "widgets/JapaneseCalendar.h"
#include "widgets/Prompt.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

template <typename Widget> Widget* named(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

HistoryWindow::HistoryWindow(HistoryHost& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("履歴"));
    createLayout();
    reload();
}

HistoryWindow::~HistoryWindow()
{
    // The list reads through the journal; it goes first.
    m_model->setQuery(nullptr, {});
}

void HistoryWindow::createLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(createFilters());
    layout->addWidget(createList(), 1);
    m_status = named<QLabel>(this, "historyStatus");
    layout->addWidget(m_status);
    layout->addLayout(createButtons());
    resize(900, 520);
}

QLayout* HistoryWindow::createFilters()
{
    m_search = named<QLineEdit>(this, "historySearch");
    m_search->setPlaceholderText(QStringLiteral("お名前・電話番号・郵便番号・住所・注文番号"));
    m_search->setClearButtonEnabled(true);
    m_period = named<QCheckBox>(this, "historyPeriod");
    m_period->setText(QStringLiteral("期間"));
    m_from = named<QDateEdit>(this, "historyFrom");
    m_to = named<QDateEdit>(this, "historyTo");
    for (QDateEdit* edit : {m_from, m_to}) {
        edit->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
        UseJapaneseCalendar(edit);
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setDate(QDate::currentDate());
    }
    m_from->setDate(QDate::currentDate().addMonths(-1));
    connect(m_from, &QDateEdit::dateChanged, this, &HistoryWindow::refresh);
    connect(m_to, &QDateEdit::dateChanged, this, &HistoryWindow::refresh);
    connect(m_search, &QLineEdit::textChanged, this, &HistoryWindow::refresh);
    connect(m_period, &QCheckBox::toggled, this, &HistoryWindow::refresh);

    auto* filters = new QHBoxLayout;
    filters->addWidget(m_search, 1);
    filters->addWidget(m_period);
    filters->addWidget(m_from);
    filters->addWidget(new QLabel(QStringLiteral("～"), this));
    filters->addWidget(m_to);
    return filters;
}

QWidget* HistoryWindow::createList()
{
    m_model = new JournalListModel(this);
    m_list = named<QTableView>(this, "historyList");
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &HistoryWindow::updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &HistoryWindow::updateButtons);
    return m_list;
}

QLayout* HistoryWindow::createButtons()
{
    const auto button = [this](const char* name, const QString& caption, void (HistoryWindow::*action)()) {
        auto* pushButton = named<QPushButton>(this, name);
        pushButton->setText(caption);
        connect(pushButton, &QPushButton::clicked, this,
                [this, action] { RunReported(this, [this, action] { (this->*action)(); }); });
        return pushButton;
    };
    m_load = button("historyLoad", QStringLiteral("読込"), &HistoryWindow::loadEntry);
    m_reprint = button("historyReprint", QStringLiteral("再印刷"), &HistoryWindow::reprintEntry);
    m_keepDate = named<QCheckBox>(this, "historyKeepDate");
    m_keepDate->setText(QStringLiteral("元の日付で印刷"));
    m_delete = button("historyDelete", QStringLiteral("削除"), &HistoryWindow::deleteEntry);
    m_resolvePrinted = button("historyResolvePrinted", QStringLiteral("印刷された"), &HistoryWindow::resolvePrinted);
    m_resolveNotPrinted =
        button("historyResolveNotPrinted", QStringLiteral("印刷されなかった"), &HistoryWindow::resolveNotPrinted);
    m_number = button("historyNumber", QStringLiteral("番号…"), &HistoryWindow::editTrackingNumber);
    m_track = button("historyTrack", QStringLiteral("追跡"), &HistoryWindow::openTracking);
    QPushButton* shipped = button("historyShipped", QStringLiteral("発送完了ファイル…"), &HistoryWindow::exportShipped);
    QPushButton* manifest = button("historyManifest", QStringLiteral("出荷一覧"), &HistoryWindow::showManifest);
    QPushButton* server = button("historyServer", QStringLiteral("共有サーバー…"), &HistoryWindow::chooseServer);
    auto* close = named<QPushButton>(this, "historyClose");
    close->setText(QStringLiteral("閉じる"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_load, m_reprint, m_keepDate, m_delete, m_resolvePrinted, m_resolveNotPrinted,
                                         m_number, m_track, shipped, manifest, server}) {
        buttons->addWidget(widget);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    return buttons;
}

void HistoryWindow::reload()
{
    m_model->setQuery(nullptr, {});
    m_journal.reset();
    if (!journal::MayHaveEntries(m_host.journalFile())) {
        m_status->setText(QStringLiteral("まだ印刷の履歴はありません。"));
        refresh();
        return;
    }
    try {
        m_journal = journal::OpenShared(m_host.journalFile(), journal::Journal::Access::ReadOnly);
        m_status->clear();
    } catch (const journal::JournalError& error) {
        m_status->setText(QStringLiteral("履歴を開けません: %1").arg(QString::fromUtf8(error.what())));
    }
    refresh();
}

void HistoryWindow::refresh()
{
    journal::JournalQuery query;
    query.text = m_search->text().toStdString();
    if (m_period->isChecked()) {
        query.from = m_from->date();
        query.to = m_to->date();
    }
    try {
        m_model->setQuery(m_journal.get(), query);
    } catch (const journal::JournalError& error) {
        m_model->setQuery(nullptr, {});
        m_status->setText(QStringLiteral("履歴を読めません: %1").arg(QString::fromUtf8(error.what())));
    }
    if (m_model->rowCount() > 0) {
        m_list->selectRow(0);
    }
    updateButtons();
}

const journal::JournalEntry* HistoryWindow::current() const
{
    return m_model->entryAt(m_list->currentIndex().row());
}

void HistoryWindow::updateButtons()
{
    const bool chosen = current() != nullptr;
    m_load->setEnabled(chosen);
    m_reprint->setEnabled(chosen);
    m_delete->setEnabled(chosen);
    const bool unknown = chosen && current()->status == journal::JobStatus::Unknown;
    m_resolvePrinted->setEnabled(unknown);
    m_resolveNotPrinted->setEnabled(unknown);
    m_number->setEnabled(chosen);
    m_track->setEnabled(chosen && !current()->trackingNumber.empty());
}

void HistoryWindow::loadEntry()
{
    if (const journal::JournalEntry* entry = current()) {
        m_host.loadFromJournal(entry->slip);
    }
}

void HistoryWindow::reprintEntry()
{
    const journal::JournalEntry* entry = current();
    if (entry == nullptr) {
        return;
    }
    const journal::JournalEntry chosen = *entry;
    const QString name = QString::fromStdString(chosen.slip.recipient.name);
    const QString slip = name.isEmpty() ? QStringLiteral("この送り状") : QStringLiteral("%1様の送り状").arg(name);
    if (!Prompt::instance().ask(this, QStringLiteral("%1を再印刷しますか?").arg(slip))) {
        return;
    }
    m_host.reprintFromJournal(chosen, m_keepDate->isChecked());
    reload();
    Prompt::instance().notify(this, QStringLiteral("%1を再印刷しました").arg(slip));
}

void HistoryWindow::deleteEntry()
{
    const journal::JournalEntry* entry = current();
    if (entry == nullptr || m_journal == nullptr ||
        !Prompt::instance().ask(this, QStringLiteral("この履歴を削除しますか?"))) {
        return;
    }
    const int row = m_list->currentIndex().row();
    m_journal->remove(entry->id);
    refresh();
    m_list->selectRow(std::min(row, m_model->rowCount() - 1));
}

void HistoryWindow::resolveEntry(bool printed)
{
    const journal::JournalEntry* entry = current();
    if (entry == nullptr || m_journal == nullptr) {
        return;
    }
    const int row = m_list->currentIndex().row();
    m_journal->resolve(entry->id, printed);
    refresh();
    m_list->selectRow(std::min(row, m_model->rowCount() - 1));
}

void HistoryWindow::editTrackingNumber()
{
    const journal::JournalEntry* entry = current();
    if (entry == nullptr || m_journal == nullptr) {
        return;
    }
    const journal::JournalEntry chosen = *entry;
    bool ok = false;
    const QString typed = QInputDialog::getText(this, QStringLiteral("お問合せ番号"),
                                                QStringLiteral("%1 様の送り状のお問合せ番号（空欄で削除）")
                                                    .arg(QString::fromStdString(chosen.slip.recipient.name)),
                                                QLineEdit::Normal, QString::fromStdString(chosen.trackingNumber), &ok);
    if (!ok) {
        return;
    }
    std::string number;
    if (!typed.trimmed().isEmpty()) {
        const auto rule = shipping::ReadCheckDigitRule(shipping::SettingsFileIn(m_host.journalFile().parent_path()));
        const shipping::NumberAssessment assessment =
            shipping::AssessNumber(*m_journal, typed.toStdString(), rule, chosen.id);
        if (!assessment.refusal.empty()) {
            Prompt::instance().reportError(this, QString::fromStdString(assessment.refusal));
            return;
        }
        if (!assessment.warning.empty() &&
            !Prompt::instance().ask(
                this, QStringLiteral("%1。この番号で登録しますか?").arg(QString::fromStdString(assessment.warning)))) {
            return;
        }
        number = assessment.number;
    }
    const int row = m_list->currentIndex().row();
    m_journal->setTrackingNumbers({{chosen.id, number}});
    refresh();
    m_list->selectRow(row);
}

void HistoryWindow::openTracking()
{
    if (const journal::JournalEntry* entry = current(); entry != nullptr && !entry->trackingNumber.empty()) {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(shipping::TrackingUrl(entry->trackingNumber))));
    }
}

void HistoryWindow::exportShipped()
{
    if (m_journal == nullptr) {
        return;
    }
    ShippedFileDialog dialog(*m_journal, shipping::SettingsFileIn(m_host.journalFile().parent_path()), this);
    dialog.exec();
    refresh();
}

void HistoryWindow::showManifest()
{
    if (m_journal == nullptr) {
        return;
    }
    ManifestDialog dialog(*m_journal, m_host.journalFile().parent_path(), this);
    dialog.exec();
}

void HistoryWindow::chooseServer()
{
    JournalServerDialog dialog(std::filesystem::absolute(m_host.journalFile()).parent_path(), this);
    if (dialog.exec() == QDialog::Accepted) {
        reload();
    }
}
