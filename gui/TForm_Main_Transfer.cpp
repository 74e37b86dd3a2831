#include "gui/TForm_Main.h"

#include "gui/WindowColors.h"
#include "jobs/SmartPostalLookup.h"
#include "platform/FieldText.h"
#include "smartimport/SmartTransfer.h"
#include "textimport/HalfWidth.h"
#include "textimport/LineText.h"
#include "textimport/Transfer.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

// Each rewrite leaves the memo scrolled to its top with the caret at its start.
void SetMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines)
{
    memo->setPlainText(FromCp932(textimport::JoinLines(lines)));
    memo->moveCursor(QTextCursor::Start);
    memo->verticalScrollBar()->setValue(0);
}

// Characters without a code page 932 form are kept as typed rather than turned into "〓".
QString HalfWidthOf(const QString& text)
{
    if (const auto bytes = ToCp932Exact(text)) {
        return FromCp932(textimport::ToHalfWidth(*bytes));
    }
    QString converted;
    for (const char32_t codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        const auto bytes = ToCp932Exact(character);
        converted += bytes ? FromCp932(textimport::ToHalfWidth(*bytes)) : character;
    }
    return converted;
}

// Rewriting an unchanged field would only fire its change handler again.
void ConvertToHalfWidth(QLineEdit* field)
{
    const QString converted = HalfWidthOf(field->text());
    if (converted != field->text()) {
        field->setText(converted);
    }
}

} // namespace

void TForm_Main::BitBtn_1Click()
{
    const textimport::RecipientFields before{ToCp932(Edit_Zip->text()), ToCp932(Edit_Add1->text()),
                                             ToCp932(Edit_Add2->text()), ToCp932(Edit_Custo1->text()),
                                             ToCp932(Edit_tel->text())};
    const textimport::TransferResult result = textimport::RunTransfer(ToCp932(Memo1->toPlainText()), before);

    SetMemoLines(Memo1, result.compacted);
    if (result.status == textimport::TransferStatus::Transferred) {
        Edit_Cls();
        SetMemoLines(Memo1, result.cleaned);
        SetMemoLines(Memo1, result.split);
        Edit_Zip->setText(FromCp932(result.fields.zip));
        Edit_Add1->setText(FromCp932(result.fields.address1));
        Edit_Add2->setText(FromCp932(result.fields.address2));
        Edit_Custo1->setText(FromCp932(result.fields.name));
        Edit_tel->setText(FromCp932(result.fields.tel));
        SpeedButton_ZIP2Click();
        SpeedButton_TEL2Click();
        Edit_Zip->setFocus();
    } else {
        if (result.status == textimport::TransferStatus::TooManyLines) {
            Memo1->setFocus();
        }
        Prompt::instance().notify(this, QString::fromStdString(result.message));
    }
    Edit_Warning();
}

// The transfer of whole order mails: the memo keeps the mail (blank lines dropped), fields,
// messages and focus behave as with the transfer button, and the postal code is checked
// against the address as on leaving the code.
void TForm_Main::SpeedButton_F3Click()
{
    const textimport::RecipientFields before{ToCp932(Edit_Zip->text()), ToCp932(Edit_Add1->text()),
                                             ToCp932(Edit_Add2->text()), ToCp932(Edit_Custo1->text()),
                                             ToCp932(Edit_tel->text())};
    const smartimport::SmartResult result =
        smartimport::runSmartTransfer(ToCp932(Memo1->toPlainText()), before, smartPostalLookup(postalDirectory()));

    SetMemoLines(Memo1, result.memo);
    if (result.status == smartimport::SmartStatus::Transferred) {
        Edit_Cls();
        Edit_Zip->setText(FromCp932(result.fields.zip));
        Edit_Add1->setText(FromCp932(result.fields.address1));
        Edit_Add2->setText(FromCp932(result.fields.address2));
        Edit_Custo1->setText(FromCp932(result.fields.name));
        Edit_tel->setText(FromCp932(result.fields.tel));
        SpeedButton_ZIP2Click();
        SpeedButton_TEL2Click();
        m_zipWarning = agreementMessage(Edit_Zip, Edit_Add1);
        Edit_Zip->setFocus();
    } else {
        Prompt::instance().notify(this, QString::fromStdString(result.message));
    }
    Edit_Warning();
}

void TForm_Main::Memo1Change()
{
    windowcolors::SetBaseColor(Memo1, Memo1->toPlainText().isEmpty()
                                          ? windowcolors::kSilver
                                          : QApplication::palette(Memo1).color(QPalette::Base));
}

void TForm_Main::BitBtn_MemoCLSClick()
{
    Memo1->clear();
    windowcolors::SetBaseColor(Memo1, windowcolors::kSilver);
}

void TForm_Main::SpeedButton_ZIP2Click()
{
    ConvertToHalfWidth(Edit_Zip);
}

void TForm_Main::SpeedButton_TEL2Click()
{
    ConvertToHalfWidth(Edit_tel);
}
