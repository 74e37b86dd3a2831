#include "gui/TForm_Main.h"

#include "platform/FieldText.h"
#include "workfolder/SettingsFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// An index outside the list leaves the choice without a selection.
void SelectIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace

void TForm_Main::ReadSettings()
{
    const SlipSettings settings = SettingsFile::Read(SettingsFile::In(workingFolder()));

    Label_PrinterIndex = QString::number(settings.printerIndex);
    SelectIndex(ComboBox_FontSize, settings.addressFont);
    Label_Prn_Top->setText(QString::number(settings.printTop));
    Label_Prn_Left->setText(QString::number(settings.printLeft));

    Edit_My->setText(FromCp932(settings.senderName));
    Edit_MyZip->setText(FromCp932(settings.senderZip));
    Edit_MyADD1->setText(FromCp932(settings.senderAddress1));
    Edit_MyADD2->setText(FromCp932(settings.senderAddress2));
    Edit_MyTEL->setText(FromCp932(settings.senderTel));

    Edit_Zip->setText(FromCp932(settings.zip));
    Edit_Add1->setText(FromCp932(settings.address1));
    Edit_Add2->setText(FromCp932(settings.address2));
    Edit_Custo1->setText(FromCp932(settings.customer));
    Edit_tel->setText(FromCp932(settings.tel));

    Edit_G1->setText(FromCp932(settings.goods1));
    Edit_G2->setText(FromCp932(settings.goods2));
    Edit_G3->setText(FromCp932(settings.goods3));
    setKosuuText(FromCp932(settings.pieceCount));
    Edit_de_date1->setText(FromCp932(settings.deliveryMonth));
    Edit_de_date2->setText(FromCp932(settings.deliveryDay));

    SelectIndex(ComboBox_SEL, settings.paperIndex);
}

void TForm_Main::WriteSettings()
{
    SlipSettings settings;
    settings.addressFont = ComboBox_FontSize->currentIndex();
    settings.zip = ToCp932(Edit_Zip->text());
    settings.address1 = ToCp932(Edit_Add1->text());
    settings.address2 = ToCp932(Edit_Add2->text());
    settings.customer = ToCp932(Edit_Custo1->text());
    settings.tel = ToCp932(Edit_tel->text());
    settings.goods1 = ToCp932(Edit_G1->text());
    settings.goods2 = ToCp932(Edit_G2->text());
    settings.goods3 = ToCp932(Edit_G3->text());
    settings.senderName = ToCp932(Edit_My->text());
    settings.senderZip = ToCp932(Edit_MyZip->text());
    settings.senderAddress1 = ToCp932(Edit_MyADD1->text());
    settings.senderAddress2 = ToCp932(Edit_MyADD2->text());
    settings.senderTel = ToCp932(Edit_MyTEL->text());
    settings.paperIndex = ComboBox_SEL->currentIndex();
    settings.pieceCount = ToCp932(kosuuText());
    settings.deliveryMonth = ToCp932(Edit_de_date1->text());
    settings.deliveryDay = ToCp932(Edit_de_date2->text());
    SettingsFile::Write(SettingsFile::In(workingFolder()), settings);
}
