#pragma once

#include "journal/JournalEntry.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <vector>

class CheckDigitChoice;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace journal {
class Journal;
}

// 「連番で付番」: the first form's number gives the slips of a job consecutive numbers in print
// order. The numbers are shown beside the slips before 「登録」 stores them all in one go.
class ConsecutiveNumbersDialog : public QDialog
{
    Q_OBJECT

public:
    // Throws journal::JournalError when the journal cannot be opened.
    ConsecutiveNumbersDialog(const std::filesystem::path& journalFile, const std::filesystem::path& settingsFile,
                             const std::vector<std::int64_t>& ids, QWidget* parent = nullptr);
    ~ConsecutiveNumbersDialog() override;

private:
    void buildControls(const std::filesystem::path& settingsFile);
    void propose();
    void store();

    std::unique_ptr<journal::Journal> m_journal;
    std::vector<journal::JournalEntry> m_entries;
    std::vector<journal::TrackingAssignment> m_proposal;
    QLineEdit* m_first = nullptr;
    QLabel* m_message = nullptr;
    QTableWidget* m_list = nullptr;
    QPushButton* m_store = nullptr;
    CheckDigitChoice* m_rule = nullptr;
};
