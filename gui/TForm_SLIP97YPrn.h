#pragma once

#include <QDialog>

#include "escp/OutputMode.h"
#include "slipprint/MarginResolution.h"

class PrintPositionHost;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TNumEdit;

// The print-position dialog: the top and left margins of the current paper feed, in printer
// dots, registered in mivo_a500.ini and handed to the main window for the next print.
class TForm_SLIP97YPrn : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_SLIP97YPrn(PrintPositionHost& host, QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label5 = nullptr;
    TNumEdit* NumEdit_TOP = nullptr;
    QLabel* Label6 = nullptr;
    TNumEdit* NumEdit_LEFT = nullptr;
    QPushButton* BitBtn_MRGN = nullptr;
    // Each margin's distance on paper beside its dots.
    QLabel* Label_TopMm = nullptr;
    QLabel* Label_LeftMm = nullptr;

    // How the feed's slips reach the printer, registered with the margins.
    QGroupBox* GroupBox_Output = nullptr;
    QComboBox* ComboBox_Output = nullptr;
    QLabel* Label_Output = nullptr;

    // Lining the printer up with the form: a test page, and the shift read on it in
    // millimetres turned into dots for the margin fields.
    QGroupBox* GroupBox_Calib = nullptr;
    QPushButton* BitBtn_TestPrint = nullptr;
    QLineEdit* Edit_CalibRight = nullptr;
    QLineEdit* Edit_CalibDown = nullptr;
    QLabel* Label_CalibRight = nullptr;
    QLabel* Label_CalibDown = nullptr;
    QPushButton* BitBtn_CalibApply = nullptr;

public slots:
    void FormShow();
    void BitBtn_MRGNClick();

public:
    void NumEdit_TOPKeyDown(int key);
    void NumEdit_LEFTKeyDown(int key);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createLayout();
    TNumEdit* createMarginField(const QString& name, int top);
    QLabel* createMillimetreLabel(const QString& name, int top);
    void showMillimetres();
    // What the margin fields' dots count in: the printer's own 1/180 inch on a direct feed, the
    // resolution the feed's margins are registered at otherwise (the one in force when the
    // registration does not say).
    marginresolution::Dpi marginBasis() const;
    void registerMargins();
    void createOutputChoice();
    void showOutputExplanation();
    void createCalibration();
    void printCalibration();
    void showCalibrationShift();
    void applyCalibrationShift();

    PrintPositionHost& m_host;
};

// The output the dialog's choice stands for.
OutputMode chosenOutput(const QComboBox* box);
