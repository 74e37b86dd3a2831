#include "gui/TrackingScanDialog.h"

#include "gui/CheckDigitChoice.h"
#include "journal/Journal.h"
#include "shipping/TrackingAttach.h"
#include "widgets/ErrorReport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    Number,
    Recipient,
    Destination,
    Tracking,
    ColumnCount
};

} // namespace

TrackingScanDialog::TrackingScanDialog(const std::filesystem::path& journalFile,
                                       const std::filesystem::path& settingsFile, const std::vector<std::int64_t>& ids,
                                       QWidget* parent)
    : QDialog(parent), m_journal(std::make_unique<journal::Journal>(journalFile))
{
    setObjectName(QStringLiteral("TrackingScanDialog"));
    setWindowTitle(QStringLiteral("番号読取"));
    m_entries = shipping::EntriesInOrder(*m_journal, ids);
    buildControls(settingsFile);
    for (int row = 0; row < static_cast<int>(m_entries.size()); ++row) {
        showEntry(row);
    }
    const int next = nextWithoutNumber();
    if (next >= 0) {
        m_list->selectRow(next);
    }
}

TrackingScanDialog::~TrackingScanDialog() = default;

void TrackingScanDialog::buildControls(const std::filesystem::path& settingsFile)
{
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("scanInput"));
    m_input->setPlaceholderText(QStringLiteral("お問合せ番号を読み取るか入力して Enter"));
    connect(m_input, &QLineEdit::returnPressed, this, [this] { RunReported(this, [this] { scan(); }); });
    m_undo = new QPushButton(QStringLiteral("取消"), this);
    m_undo->setObjectName(QStringLiteral("scanUndo"));
    m_undo->setAutoDefault(false);
    m_undo->setEnabled(false);
    connect(m_undo, &QPushButton::clicked, this, [this] { RunReported(this, [this] { undoLast(); }); });
    m_rule = new CheckDigitChoice(settingsFile, this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_input, 1);
    top->addWidget(m_undo);
    top->addWidget(m_rule);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("scanMessage"));
    m_list = new QTableWidget(static_cast<int>(m_entries.size()), ColumnCount, this);
    m_list->setObjectName(QStringLiteral("scanList"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("No."), QStringLiteral("お届け先"), QStringLiteral("住所"), QStringLiteral("お問合せ番号")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_message);
    layout->addWidget(m_list, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(760, 480);
}

void TrackingScanDialog::showEntry(int row)
{
    const journal::JournalEntry& entry = m_entries[static_cast<std::size_t>(row)];
    const QStringList cells{QString::number(row + 1), QString::fromStdString(entry.slip.recipient.name),
                            QString::fromStdString(entry.slip.recipient.address1),
                            QString::fromStdString(entry.trackingNumber)};
    for (int column = 0; column < ColumnCount; ++column) {
        m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

int TrackingScanDialog::nextWithoutNumber() const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].trackingNumber.empty()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TrackingScanDialog::scan()
{
    const QString typed = m_input->text();
    m_input->clear();
    if (typed.trimmed().isEmpty()) {
        return;
    }
    const int row = nextWithoutNumber();
    if (row < 0) {
        say(QStringLiteral("すべての送り状に番号が付いています"), true);
        return;
    }
    const shipping::NumberAssessment assessment =
        shipping::AssessNumber(*m_journal, typed.toStdString(), m_rule->rule(), m_entries[std::size_t(row)].id);
    if (!assessment.refusal.empty()) {
        say(QStringLiteral("%1: %2").arg(typed, QString::fromStdString(assessment.refusal)), true);
        return;
    }
    store(row, assessment.number);
    m_given.push_back(row);
    m_undo->setEnabled(true);
    const journal::JournalEntry& entry = m_entries[std::size_t(row)];
    QString message =
        QStringLiteral("%1番 %2 様（%3）に %4")
            .arg(row + 1)
            .arg(QString::fromStdString(entry.slip.recipient.name),
                 QString::fromStdString(entry.slip.recipient.address1), QString::fromStdString(assessment.number));
    if (!assessment.warning.empty()) {
        message += QStringLiteral("　※%1").arg(QString::fromStdString(assessment.warning));
    }
    say(message, false);
}

void TrackingScanDialog::undoLast()
{
    if (m_given.empty()) {
        return;
    }
    const int row = m_given.back();
    store(row, {});
    m_given.pop_back();
    m_undo->setEnabled(!m_given.empty());
    say(QStringLiteral("%1番の番号を取り消しました").arg(row + 1), false);
}

void TrackingScanDialog::store(int row, const std::string& number)
{
    journal::JournalEntry& entry = m_entries[std::size_t(row)];
    m_journal->setTrackingNumbers({{entry.id, number}});
    entry.trackingNumber = number;
    showEntry(row);
    const int next = nextWithoutNumber();
    m_list->selectRow(next >= 0 ? next : row);
}

void TrackingScanDialog::say(const QString& message, bool bad)
{
    if (bad) {
        QApplication::beep();
    }
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::WindowText, bad ? QColor(Qt::red) : QApplication::palette().color(QPalette::WindowText));
    m_message->setPalette(palette);
    m_message->setText(message);
}
