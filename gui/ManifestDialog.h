#pragma once

#include "shipping/Manifest.h"

#include <QDialog>

#include <filesystem>

class QComboBox;
class QDateEdit;
class QLabel;

namespace journal {
class Journal;
}

// 「出荷一覧」: the driver's list of a day, of one sender or all, printed on any printer or
// saved as a PDF.
class ManifestDialog : public QDialog
{
    Q_OBJECT

public:
    // `folder`: the working folder, with the registered senders.
    ManifestDialog(journal::Journal& journal, std::filesystem::path folder, QWidget* parent = nullptr);

private:
    void buildControls();
    shipping::Manifest manifest();
    void recount();
    void print();
    void savePdf();

    journal::Journal& m_journal;
    std::filesystem::path m_folder;
    QDateEdit* m_date = nullptr;
    QComboBox* m_sender = nullptr;
    QLabel* m_count = nullptr;
};
