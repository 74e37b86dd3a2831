#include "TForm_Main.h"

void TForm_Main::BitBtn_MyClick()
{
}

void TForm_Main::SpeedButton_readMyClick()
{
}

void TForm_Main::PageControl_MyChange()
{
}

