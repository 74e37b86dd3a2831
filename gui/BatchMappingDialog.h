#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

// Asks which column of a file without a known shop format holds which slip field. Each
// field has a box "ComboBox_<key>" listing "（なし）" and the file's columns; the mapping
// given before for the same columns is preselected, else the columns whose headers name a field.
class BatchMappingDialog : public QDialog
{
    Q_OBJECT

public:
    BatchMappingDialog(const std::vector<std::string>& header, const std::string& mapping, QWidget* parent = nullptr);

    // "zip=3,address1=5,…": the chosen columns by number, counted from 1.
    std::string mapping() const;

private:
    std::vector<QComboBox*> m_boxes; // in the order of the fields
};
