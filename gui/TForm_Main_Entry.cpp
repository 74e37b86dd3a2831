#include "gui/TForm_Main.h"

#include "gui/MailLink.h"
#include "gui/WindowColors.h"
#include "platform/FieldText.h"
#include "textimport/AddressWarning.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>

namespace {

// Entering a filled field never selects its content: the caret goes after the last character.
void EnterLine(QLabel* helpPanel, QLineEdit* field, const QString& message)
{
    helpPanel->setText(message);
    field->setCursorPosition(static_cast<int>(field->text().size()));
    field->deselect();
}

// A ticked time service unticks the other two; unticking changes nothing else.
void KeepOnlyTicked(const QCheckBox* clicked, QCheckBox* other1, QCheckBox* other2)
{
    if (clicked->isChecked()) {
        other1->setChecked(false);
        other2->setChecked(false);
    }
}

} // namespace

void TForm_Main::Edit_ZipEnter()
{
    EnterLine(Panel_HelpMess, Edit_Zip, QStringLiteral("お届け先の郵便番号を入力して下さい"));
}

void TForm_Main::Edit_Add1Enter()
{
    Edit_Warning();
    EnterLine(Panel_HelpMess, Edit_Add1, QStringLiteral("お届け先のおところ①を入力して下さい"));
}

void TForm_Main::Edit_Add2Enter()
{
    Edit_Warning();
    EnterLine(Panel_HelpMess, Edit_Add2, QStringLiteral("お届け先のおところ②を入力して下さい"));
}

void TForm_Main::Edit_Custo1Enter()
{
    EnterLine(Panel_HelpMess, Edit_Custo1, QStringLiteral("お届け先のおなまえを入力して下さい"));
}

void TForm_Main::Edit_telEnter()
{
    EnterLine(Panel_HelpMess, Edit_tel, QStringLiteral("お届け先のでんわを入力して下さい"));
}

void TForm_Main::Edit_G1Enter()
{
    // Shared by the three goods lines: the caret goes to the end of the one entered.
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (field != Edit_G2 && field != Edit_G3) {
        field = Edit_G1;
    }
    EnterLine(Panel_HelpMess, field, QStringLiteral("品名を入力して下さい"));
}

void TForm_Main::Edit_MyZipEnter()
{
    EnterLine(Panel_HelpMess, Edit_MyZip, QStringLiteral("ご依頼主の郵便番号を入力して下さい"));
}

void TForm_Main::Edit_MyADD1Enter()
{
    EnterLine(Panel_HelpMess, Edit_MyADD1, QStringLiteral("ご依頼主のおところ①を入力して下さい"));
}

void TForm_Main::Edit_MyADD2Enter()
{
    EnterLine(Panel_HelpMess, Edit_MyADD2, QStringLiteral("ご依頼主のおところ②を入力して下さい"));
}

void TForm_Main::Edit_MyEnter()
{
    EnterLine(Panel_HelpMess, Edit_My, QStringLiteral("ご依頼主のおなまえを入力して下さい"));
}

void TForm_Main::Edit_MyTELEnter()
{
    EnterLine(Panel_HelpMess, Edit_MyTEL, QStringLiteral("ご依頼主のでんわを入力して下さい"));
}

void TForm_Main::Memo1Enter()
{
    Panel_HelpMess->setText(QStringLiteral("テキストを貼り付けることができます　７行以内に収めてください"));
}

void TForm_Main::Edit_Warning()
{
    m_lengthWarning = QString::fromStdString(textimport::AddressLengthWarning(ToCp932(Edit_Add1->text())));
    showWarnings();
}

void TForm_Main::Edit_Cls()
{
    m_lengthWarning.clear();
    m_zipWarning.clear();
    showWarnings();
    Edit_Zip->clear();
    Edit_Add1->clear();
    Edit_Add2->clear();
    Edit_Custo1->clear();
    Edit_tel->clear();
    setKosuuText(QStringLiteral("1"));
}

void TForm_Main::Edit_Cls_My()
{
    Edit_MyZip->clear();
    Edit_MyADD1->clear();
    Edit_MyADD2->clear();
    Edit_My->clear();
    Edit_MyTEL->clear();
}

void TForm_Main::BitBtn_CLSClick()
{
    if (Prompt::instance().ask(this, QStringLiteral("お届け先をクリアますか?"))) {
        Edit_Cls();
    }
}

void TForm_Main::Edit_ZipChange()
{
    SpeedButton_ZIP2Click();
}

void TForm_Main::Edit_telChange()
{
    SpeedButton_TEL2Click();
}

void TForm_Main::CheckBox_MyClick()
{
    const QColor color =
        CheckBox_My->isChecked() ? QApplication::palette(Edit_MyZip).color(QPalette::Base) : windowcolors::kSenderOff;
    for (QLineEdit* field : {Edit_MyZip, Edit_MyADD1, Edit_MyADD2, Edit_My, Edit_MyTEL}) {
        windowcolors::SetBaseColor(field, color);
    }
}

void TForm_Main::CheckBox_t21Click()
{
    KeepOnlyTicked(CheckBox_t21, CheckBox_t22, CheckBox_t23);
}

void TForm_Main::CheckBox_t22Click()
{
    KeepOnlyTicked(CheckBox_t22, CheckBox_t21, CheckBox_t23);
}

void TForm_Main::CheckBox_t23Click()
{
    KeepOnlyTicked(CheckBox_t23, CheckBox_t21, CheckBox_t22);
}

void TForm_Main::BitBtn_WebHelpClick()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral(MIVO_WEB_PAGE)));
}

void TForm_Main::BitBtn_SendMailClick()
{
    QDesktopServices::openUrl(SupportMailLink(QStringLiteral(MIVO_SUPPORT_MAIL)));
}

bool TForm_Main::Edit_de_dateKeyPress(QChar character)
{
    // Only ASCII digits: other scripts' digits would pass QChar::isDigit.
    const bool passes = (character >= QLatin1Char('0') && character <= QLatin1Char('9')) || character == QChar(8);
    return !passes;
}
