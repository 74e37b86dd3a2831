#include "gui/TForm_Main.h"

#include "platform/FieldText.h"
#include "widgets/Prompt.h"
#include "workfolder/SenderFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

std::filesystem::path TForm_Main::senderFile() const
{
    return workingFolder() / SenderFile::ForTab(PageControl_My->currentIndex());
}

void TForm_Main::BitBtn_MyClick()
{
    if (!Prompt::instance().ask(this, QStringLiteral("ご依頼主を登録しますか?"))) {
        Edit_MyZip->setFocus();
        return;
    }
    const SenderRecord sender{ToCp932(Edit_MyZip->text()), ToCp932(Edit_MyADD1->text()), ToCp932(Edit_MyADD2->text()),
                              ToCp932(Edit_My->text()), ToCp932(Edit_MyTEL->text())};
    SenderFile::Write(senderFile(), sender);
    Prompt::instance().notify(this, QStringLiteral("ご依頼主を登録しました"));
    // The focus goes first: entering the postal code would otherwise replace the blanks
    // with its own guidance.
    Edit_MyZip->setFocus();
    if (!Edit_MyZip->hasFocus()) {
        // The box took the activation along; the focus arrives only when the window is active
        // again, and must not count as a new entry then.
        enterControl(Edit_MyZip);
    }
    Panel_HelpMess->setText(QStringLiteral("    "));
}

void TForm_Main::SpeedButton_readMyClick()
{
    const SenderRecord sender = SenderFile::Read(senderFile());
    Edit_MyZip->setText(FromCp932(sender.zip));
    Edit_MyADD1->setText(FromCp932(sender.address1));
    Edit_MyADD2->setText(FromCp932(sender.address2));
    Edit_My->setText(FromCp932(sender.name));
    Edit_MyTEL->setText(FromCp932(sender.tel));
    // Another sender: its code is checked when the user leaves it.
    m_myZipWarning.clear();
    showWarnings();
}

void TForm_Main::PageControl_MyChange()
{
    SpeedButton_readMyClick();
}
