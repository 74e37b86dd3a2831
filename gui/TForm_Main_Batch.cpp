#include "gui/TForm_Main.h"

#include "gui/BatchWindow.h"

void TForm_Main::SpeedButton_F10Click()
{
    BatchWindow window(Label_CurrentDir, this);
    window.exec();
}
