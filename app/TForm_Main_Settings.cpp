#include "TForm_Main.h"

void TForm_Main::ReadSettings()
{
}

void TForm_Main::WriteSettings()
{
}

