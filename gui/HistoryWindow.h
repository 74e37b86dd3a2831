#pragma once

#include <QDialog>

#include <memory>

class HistoryHost;
class JournalListModel;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableView;

namespace journal {
class Journal;
struct JournalEntry;
} // namespace journal

// 「履歴」: the print journal, newest first, searched as the user types and narrowed to a
// period; the chosen entry is loaded into the entry window, printed again or deleted.
// A journal that cannot be opened shows why, and the window lists nothing. An entry of unknown
// outcome (its job was cut off) is settled here: printed or not.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HistoryWindow(HistoryHost& host, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Opens the journal again and lists it from the top.
    void reload();

private:
    void createLayout();
    QLayout* createFilters();
    QWidget* createList();
    QLayout* createButtons();
    void refresh();
    const journal::JournalEntry* current() const;
    void updateButtons();
    void loadEntry();
    void reprintEntry();
    void deleteEntry();
    void resolvePrinted() { resolveEntry(true); }
    void resolveNotPrinted() { resolveEntry(false); }
    void resolveEntry(bool printed);
    void editTrackingNumber();
    void openTracking();
    void exportShipped();
    void showManifest();
    void chooseServer();

    HistoryHost& m_host;
    std::shared_ptr<journal::Journal> m_journal;
    JournalListModel* m_model = nullptr;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_period = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QTableView* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_load = nullptr;
    QPushButton* m_reprint = nullptr;
    QCheckBox* m_keepDate = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_resolvePrinted = nullptr;
    QPushButton* m_resolveNotPrinted = nullptr;
    QPushButton* m_number = nullptr;
    QPushButton* m_track = nullptr;
};
