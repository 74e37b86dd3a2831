#include "TForm_Main.h"

void TForm_Main::FormShow()
{
}

void TForm_Main::FormDestroy()
{
}

void TForm_Main::SpeedButton_F2Click()
{
}

void TForm_Main::SpeedButton_F6Click()
{
}

void TForm_Main::SpeedButton_F7Click()
{
}

bool TForm_Main::FormKeyDown(int)
{
    return false;
}

bool TForm_Main::Edit_ZipKeyDown(int)
{
    return false;
}

bool TForm_Main::Edit_G2KeyDown(int)
{
    return false;
}

bool TForm_Main::Edit_G3KeyDown(int)
{
    return false;
}

bool TForm_Main::FormKeyPress(QChar character)
{
    return character == QChar(13);
}

bool TForm_Main::eventFilter(QObject* watched, QEvent* event)
{
    return QMainWindow::eventFilter(watched, event);
}

void TForm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
}

void TForm_Main::focusNextControl(bool)
{
}
