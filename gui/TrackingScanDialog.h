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

// 「番号読取」: the slips of a batch job in print order; each number scanned or typed (digits,
// then Enter) goes to the next slip without one, and 「取消」 takes the last one back. A number
// that cannot be given beeps and shows in red, and nothing is assigned.
class TrackingScanDialog : public QDialog
{
    Q_OBJECT

public:
    // Throws journal::JournalError when the journal cannot be opened.
    TrackingScanDialog(const std::filesystem::path& journalFile, const std::filesystem::path& settingsFile,
                       const std::vector<std::int64_t>& ids, QWidget* parent = nullptr);
    ~TrackingScanDialog() override;

private:
    void buildControls(const std::filesystem::path& settingsFile);
    void showEntry(int row);
    int nextWithoutNumber() const;
    void scan();
    void undoLast();
    void store(int row, const std::string& number);
    void say(const QString& message, bool bad);

    std::unique_ptr<journal::Journal> m_journal;
    std::vector<journal::JournalEntry> m_entries;
    std::vector<int> m_given; // rows numbered here, latest last
    QTableWidget* m_list = nullptr;
    QLineEdit* m_input = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_undo = nullptr;
    CheckDigitChoice* m_rule = nullptr;
};
