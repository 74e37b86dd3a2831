#pragma once

#include "tests/support/Cp932Text.h"
#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>

#include <cmath>
#include <vector>

// What the printing tests share: a slip typed into the real window, where each of its texts
// belongs on the carrier's form, and the registration file as text.
namespace printwindow {

// Profile text as the program stores it: code page 932, CR LF.
inline QByteArray sjisFile(const QString& text)
{
    QString crlf = text;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return sjBytes(crlf);
}

inline QString registrationText(const MainWindowFixture& fixture)
{
    QString text = fromSj(fixture.readFile("mivo_a500.ini").toStdString());
    text.remove(QLatin1Char('\r'));
    return text;
}

struct PlacedText
{
    QString text;
    int slipX = 0;
    int slipY = 0;
    QString font;
    int points = 0;
};

// Texts without blanks, so that a PDF reader returns each as one word.
inline std::vector<PlacedText> sampleSlip()
{
    const QString lucida = QStringLiteral("Lucida Sans Unicode");
    const QString mincho = QStringLiteral("ＭＳ Ｐ明朝");
    return {
        {"11", 180, 10, lucida, 12},
        {"28", 250, 10, lucida, 12},
        {"○", 600, 1, lucida, 26},
        {"2010", 310, 66, lucida, 9},
        {"12", 440, 66, lucida, 9},
        {"06", 560, 66, lucida, 9},
        {"りんご", 240, 160, mincho, 11},
        {"GoodsTwo", 240, 200, mincho, 11},
        {"ぶどう", 240, 240, mincho, 11},
        {"0584-11-2222", 290, 320, lucida, 16},
        {"503-0001", 230, 375, mincho, 11},
        {"岐阜県大垣市", 214, 430, mincho, 11},
        {"AddressTwo", 214, 480, mincho, 11},
        {"西濃太郎", 214, 535, mincho, 11},
        {"06-3333-4444", 720, 320, lucida, 14},
        {"530-0001", 690, 375, mincho, 11},
        {"大阪府大阪市", 680, 430, mincho, 11},
        {"SenderTwo", 680, 480, mincho, 11},
        {"SenderName", 680, 535, mincho, 11},
        {" ", 1078, 520, lucida, 11},
        {"4", 1094, 520, lucida, 11},
        {"2", 1110, 520, lucida, 11},
    };
}

// Types sampleSlip() into the window's fields.
inline void fillSampleSlip(TForm_Main& window)
{
    NamedControl<QLineEdit>(window, "Edit_de_date1")->setText("11");
    NamedControl<QLineEdit>(window, "Edit_de_date2")->setText("28");
    NamedControl<QCheckBox>(window, "CheckBox_t21")->setChecked(false);
    NamedControl<QCheckBox>(window, "CheckBox_t22")->setChecked(true);
    NamedControl<QCheckBox>(window, "CheckBox_t23")->setChecked(false);
    NamedControl<QDateEdit>(window, "DateTimePicker_1")->setDate(QDate(2010, 12, 6));
    NamedControl<QCheckBox>(window, "CheckBox_Date_1")->setChecked(true);
    NamedControl<QLineEdit>(window, "Edit_G1")->setText("りんご");
    NamedControl<QLineEdit>(window, "Edit_G2")->setText("GoodsTwo");
    NamedControl<QLineEdit>(window, "Edit_G3")->setText("ぶどう");
    NamedControl<QLineEdit>(window, "Edit_tel")->setText("0584-11-2222");
    NamedControl<QLineEdit>(window, "Edit_Zip")->setText("503-0001");
    NamedControl<QLineEdit>(window, "Edit_Add1")->setText("岐阜県大垣市");
    NamedControl<QLineEdit>(window, "Edit_Add2")->setText("AddressTwo");
    NamedControl<QLineEdit>(window, "Edit_Custo1")->setText("西濃太郎");
    NamedControl<QCheckBox>(window, "CheckBox_My")->setChecked(true);
    NamedControl<QLineEdit>(window, "Edit_MyTEL")->setText("06-3333-4444");
    NamedControl<QLineEdit>(window, "Edit_MyZip")->setText("530-0001");
    NamedControl<QLineEdit>(window, "Edit_MyADD1")->setText("大阪府大阪市");
    NamedControl<QLineEdit>(window, "Edit_MyADD2")->setText("SenderTwo");
    NamedControl<QLineEdit>(window, "Edit_My")->setText("SenderName");
    window.setKosuuText("42");
}

// Printer dots of a slip position: dpi × 10000 / 160 (a half to even) dots per ten thousand
// slip units, then a half rounded away from zero.
inline int dotsOf(int dpi, int slip)
{
    const double scale = std::nearbyint(dpi * 10000.0 / 160.0);
    const double dots = scale * slip / 10000.0;
    return static_cast<int>(dots < 0 ? std::ceil(dots - 0.5) : std::floor(dots + 0.5));
}

inline QPoint deviceOf(const PlacedText& placed, int dpix, int dpiy, int top, int left)
{
    return {dotsOf(dpix, placed.slipX) - 90 + left, dotsOf(dpiy, placed.slipY) + top};
}

} // namespace printwindow
