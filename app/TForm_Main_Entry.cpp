#include "TForm_Main.h"

void TForm_Main::Edit_ZipEnter()
{
}

void TForm_Main::Edit_Add1Enter()
{
}

void TForm_Main::Edit_Add2Enter()
{
}

void TForm_Main::Edit_Custo1Enter()
{
}

void TForm_Main::Edit_telEnter()
{
}

void TForm_Main::Edit_G1Enter()
{
}

void TForm_Main::Edit_MyZipEnter()
{
}

void TForm_Main::Edit_MyADD1Enter()
{
}

void TForm_Main::Edit_MyADD2Enter()
{
}

void TForm_Main::Edit_MyEnter()
{
}

void TForm_Main::Edit_MyTELEnter()
{
}

void TForm_Main::Memo1Enter()
{
}

void TForm_Main::Edit_Warning()
{
}

void TForm_Main::Edit_Cls()
{
}

void TForm_Main::Edit_Cls_My()
{
}

void TForm_Main::BitBtn_CLSClick()
{
}

void TForm_Main::Edit_ZipChange()
{
}

void TForm_Main::Edit_telChange()
{
}

void TForm_Main::CheckBox_MyClick()
{
}

void TForm_Main::CheckBox_t21Click()
{
}

void TForm_Main::CheckBox_t22Click()
{
}

void TForm_Main::CheckBox_t23Click()
{
}

void TForm_Main::BitBtn_WebHelpClick()
{
}

void TForm_Main::BitBtn_SendMailClick()
{
}

bool TForm_Main::Edit_de_dateKeyPress(QChar character)
{
    return !(character.isDigit() || character == QChar(8));
}
