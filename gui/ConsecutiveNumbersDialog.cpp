#include "gui/ConsecutiveNumbersDialog.h"

#include "gui/CheckDigitChoice.h"
#include "journal/Journal.h"
#include "shipping/TrackingAttach.h"
#include "widgets/ErrorReport.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ConsecutiveNumbersDialog::ConsecutiveNumbersDialog(const std::filesystem::path& journalFile,
                                                   const std::filesystem::path& settingsFile,
                                                   const std::vector<std::int64_t>& ids, QWidget* parent)
    : QDialog(parent), m_journal(std::make_unique<journal::Journal>(journalFile))
{
    setObjectName(QStringLiteral("ConsecutiveNumbersDialog"));
    setWindowTitle(QStringLiteral("連番で付番"));
    m_entries = shipping::EntriesInOrder(*m_journal, ids);
    buildControls(settingsFile);
    propose();
}

ConsecutiveNumbersDialog::~ConsecutiveNumbersDialog() = default;

void ConsecutiveNumbersDialog::buildControls(const std::filesystem::path& settingsFile)
{
    m_first = new QLineEdit(this);
    m_first->setObjectName(QStringLiteral("firstNumber"));
    m_first->setPlaceholderText(QStringLiteral("1枚目の用紙のお問合せ番号"));
    connect(m_first, &QLineEdit::textChanged, this, &ConsecutiveNumbersDialog::propose);
    m_rule = new CheckDigitChoice(settingsFile, this);
    connect(m_rule, &CheckDigitChoice::ruleChanged, this, &ConsecutiveNumbersDialog::propose);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("最初の番号"), this));
    top->addWidget(m_first, 1);
    top->addWidget(m_rule);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("consecutiveMessage"));
    m_list = new QTableWidget(static_cast<int>(m_entries.size()), 4, this);
    m_list->setObjectName(QStringLiteral("consecutiveList"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("No."), QStringLiteral("お届け先"), QStringLiteral("今の番号"), QStringLiteral("新しい番号")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const journal::JournalEntry& entry = m_entries[std::size_t(row)];
        m_list->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        m_list->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(entry.slip.recipient.name)));
        m_list->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(entry.trackingNumber)));
        m_list->setItem(row, 3, new QTableWidgetItem);
    }

    m_store = new QPushButton(QStringLiteral("登録"), this);
    m_store->setObjectName(QStringLiteral("consecutiveStore"));
    connect(m_store, &QPushButton::clicked, this, [this] { RunReported(this, [this] { store(); }); });
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_store);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_message);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

void ConsecutiveNumbersDialog::propose()
{
    m_proposal.clear();
    QString problem;
    std::vector<std::int64_t> ids;
    for (const journal::JournalEntry& entry : m_entries) {
        ids.push_back(entry.id);
    }
    if (!m_first->text().trimmed().isEmpty()) {
        try {
            m_proposal =
                shipping::ConsecutiveAssignments(*m_journal, ids, m_first->text().toStdString(), m_rule->rule());
        } catch (const std::exception& error) {
            problem = QString::fromUtf8(error.what());
        }
    }
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const bool have = std::size_t(row) < m_proposal.size();
        m_list->item(row, 3)->setText(have ? QString::fromStdString(m_proposal[std::size_t(row)].number) : QString());
    }
    const std::string warning = m_proposal.empty() ? std::string() : shipping::LengthWarning(m_proposal.front().number);
    m_message->setText(problem.isEmpty() ? QString::fromStdString(warning) : problem);
    m_store->setEnabled(!m_proposal.empty());
}

void ConsecutiveNumbersDialog::store()
{
    m_journal->setTrackingNumbers(m_proposal);
    accept();
}
