#include "TForm_Main.h"

void TForm_Main::BitBtn_1Click()
{
}

void TForm_Main::Memo1Change()
{
}

void TForm_Main::BitBtn_MemoCLSClick()
{
}

void TForm_Main::SpeedButton_ZIP2Click()
{
}

void TForm_Main::SpeedButton_TEL2Click()
{
}

