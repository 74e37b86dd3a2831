#pragma once

#include <QDialog>

#include <filesystem>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace journal {
class Journal;
}

// 「発送完了ファイル…」: a platform's shipped file for the slips of a day or since a day, with
// the carrier values it will carry shown and editable; what is left out is counted before
// saving.
class ShippedFileDialog : public QDialog
{
    Q_OBJECT

public:
    ShippedFileDialog(journal::Journal& journal, std::filesystem::path settingsFile, QWidget* parent = nullptr);

private:
    void buildControls();
    void platformChanged();
    void recount();
    void save();

    journal::Journal& m_journal;
    std::filesystem::path m_settingsFile;
    QComboBox* m_platform = nullptr;
    QRadioButton* m_oneDay = nullptr;
    QDateEdit* m_date = nullptr;
    QDateEdit* m_since = nullptr;
    std::vector<QLineEdit*> m_carrier;
    std::vector<QLabel*> m_carrierLabels;
    QLabel* m_count = nullptr;
};
