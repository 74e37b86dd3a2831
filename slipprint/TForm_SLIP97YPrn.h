#pragma once

#include <QDialog>

class PrintPositionHost;
class QGroupBox;
class QLabel;
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
    void registerMargins();

    PrintPositionHost& m_host;
};
