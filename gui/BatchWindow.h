#pragma once

#include "batch/OrderFile.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class FitSlipCheck;
class QComboBox;
struct BatchPrinted;
struct BatchTarget;
struct SenderRecord;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

// The batch window (F10 「一括印刷」): an order export opened or dropped in, its slips listed
// with their checks and editable before printing, and all, the selected or the slips from
// N on printed as one job on the registered printer of the chosen paper feed.
class BatchWindow : public QDialog
{
    Q_OBJECT

public:
    // Asks for the column mapping of a file without a known format: the header row and the
    // mapping remembered for it; nothing when the user cancels.
    using MappingQuestion = std::function<std::optional<std::string>(const std::vector<std::string>& header,
                                                                     const std::string& remembered)>;
    // Asks for the order file to open, starting in `folder`; empty when the user cancels.
    using FileQuestion = std::function<QString(const QString& folder)>;

    // `folder`: the working folder, with the printer registration, senders and remembered
    // mappings.
    explicit BatchWindow(const QString& folder, QWidget* parent = nullptr);

    // Reads an order file into the list; false, with the reason shown, when it cannot.
    bool openFile(const QString& path);
    void setMappingQuestion(MappingQuestion question) { m_askMapping = std::move(question); }
    void setFileQuestion(FileQuestion question) { m_askFile = std::move(question); }
    const std::vector<batch::BatchSlip>& slips() const { return m_file.slips; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildListAndPreview();
    void chooseFile();
    std::optional<batch::OrderFile> readOrders(const std::string& bytes);
    std::optional<batch::OrderFile> readGeneric(const std::string& bytes);
    void checkSlip(batch::BatchSlip& slip) const;
    void runChecks(std::vector<batch::BatchSlip>& slips) const;
    std::optional<SenderRecord> shownSender() const;
    BatchTarget shownTarget() const;
    void fillTable();
    void showSkipped();
    void tickSelected();
    void showSlip(int row);
    void slipEdited(int row, int column);
    void showPreview();
    std::filesystem::path journalFile() const;
    void markPrinted();
    void printChosen(std::vector<std::size_t> chosen);
    bool leaveOutAddressless(std::vector<std::size_t>& chosen);
    // `resuming`: every chosen slip prints, whichever station holds its order.
    void printSlips(const std::vector<std::size_t>& chosen, const QString& question, bool resuming);
    QString printedNotice(const BatchPrinted& printed) const;
    void printAll();
    void printSelected();
    void printFrom();
    void scanNumbers();
    void numberConsecutively();

    QString m_folder;
    batch::OrderFile m_file;
    MappingQuestion m_askMapping;
    FileQuestion m_askFile;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    QListWidget* m_skipped = nullptr;
    QLabel* m_preview = nullptr;
    QComboBox* m_sender = nullptr;
    QComboBox* m_paper = nullptr;
    QSpinBox* m_from = nullptr;
    QPushButton* m_printAll = nullptr;
    QPushButton* m_printSelected = nullptr;
    QPushButton* m_printFrom = nullptr;
    QPushButton* m_scanNumbers = nullptr;
    QPushButton* m_consecutive = nullptr;
    std::vector<std::int64_t> m_printedIds; // the journal's entries of the last job, in print order
    std::vector<bool> m_printAgain;         // per slip: ticked to print an order printed before
    bool m_filling = false;
};
