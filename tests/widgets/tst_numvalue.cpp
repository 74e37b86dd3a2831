#include "widgets/NumValue.h"

#include <QTest>

using numvalue::NumFormat;

namespace {

// Rows carry code page 932 bytes; QByteArray keeps them intact.
std::string bytes(const QByteArray& a)
{
    return a.toStdString();
}

NumFormat formatOf(int integerLength, int decimalLength, bool minus)
{
    NumFormat f;
    f.IntegerLength = integerLength;
    f.DecimalLength = decimalLength;
    f.Minus = minus;
    return f;
}

} // namespace

class TestNumValue : public QObject
{
    Q_OBJECT

private slots:
    void cleanText_data();
    void cleanText();
    void suppressZeros_data();
    void suppressZeros();
    void formatAndDisplay_data();
    void formatAndDisplay();
    void layoutAndMaxText_data();
    void layoutAndMaxText();
};

void TestNumValue::cleanText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("integerLength");
    QTest::addColumn<int>("decimalLength");
    QTest::addColumn<bool>("minus");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("full-width digits") << QByteArray("\x82\x50\x82\x51\x82\x52") << 9 << 3 << true << QByteArray("123");
    QTest::newRow("commas dropped") << QByteArray("1,234,567") << 9 << 3 << true << QByteArray("1234567");
    QTest::newRow("ten digits empties") << QByteArray("1234567890") << 9 << 3 << true << QByteArray("");
    QTest::newRow("nine digits stay") << QByteArray("123456789") << 9 << 3 << true << QByteArray("123456789");
    QTest::newRow("ten digits after minus empties") << QByteArray("-1234567890") << 9 << 3 << true << QByteArray("");
    QTest::newRow("minus does not count") << QByteArray("-123456789") << 9 << 3 << true << QByteArray("-123456789");
    QTest::newRow("too long integer with decimals empties")
        << QByteArray("1234567890.5") << 9 << 3 << true << QByteArray("");
    QTest::newRow("decimals truncated") << QByteArray("12.34567") << 9 << 3 << true << QByteArray("12.345");
    QTest::newRow("leading zeros") << QByteArray("007") << 9 << 3 << true << QByteArray("7");
    QTest::newRow("all zeros") << QByteArray("000") << 9 << 3 << true << QByteArray("0");
    QTest::newRow("bare point") << QByteArray(".5") << 9 << 3 << true << QByteArray("0.5");
    QTest::newRow("minus bare point") << QByteArray("-.5") << 9 << 3 << true << QByteArray("-0.5");
    QTest::newRow("letter ends value") << QByteArray("12a34") << 9 << 3 << true << QByteArray("12");
    QTest::newRow("letter first") << QByteArray("a12") << 9 << 3 << true << QByteArray("");
    QTest::newRow("leading blank") << QByteArray(" 12") << 9 << 3 << true << QByteArray("");
    QTest::newRow("trailing blank") << QByteArray("12 ") << 9 << 3 << true << QByteArray("12");
    QTest::newRow("inner minus") << QByteArray("1-2") << 9 << 3 << true << QByteArray("1");
    QTest::newRow("double minus") << QByteArray("--1") << 9 << 3 << true << QByteArray("-");
    QTest::newRow("comma before minus") << QByteArray(",-1") << 9 << 3 << true << QByteArray("");
    QTest::newRow("second point") << QByteArray("1.2.3") << 9 << 3 << true << QByteArray("1.2");
    QTest::newRow("full-width comma first") << QByteArray("\x81\x43\x82\x50") << 9 << 3 << true << QByteArray("1");
    QTest::newRow("full-width minus and point")
        << QByteArray("\x81\x7c\x82\x50\x81\x44\x82\x54") << 9 << 3 << true << QByteArray("-1.5");
    QTest::newRow("other double-byte ends value") << QByteArray("12\x82\xa0"
                                                                "3")
                                                  << 9 << 3 << true << QByteArray("12");
    QTest::newRow("lone lead byte at end") << QByteArray("12\x82") << 9 << 3 << true << QByteArray("12");
    QTest::newRow("half-width katakana ends value") << QByteArray("1\xb1") << 9 << 3 << true << QByteArray("1");
    QTest::newRow("minus refused") << QByteArray("-5") << 9 << 3 << false << QByteArray("");
    QTest::newRow("no decimals cuts at point") << QByteArray("12.5") << 9 << 0 << true << QByteArray("12");
    QTest::newRow("three digit count") << QByteArray("1234") << 3 << 0 << true << QByteArray("");
    QTest::newRow("lone minus kept") << QByteArray("-") << 9 << 3 << true << QByteArray("-");
    QTest::newRow("negative zero kept") << QByteArray("-0") << 9 << 3 << true << QByteArray("-0");
    QTest::newRow("trailing point kept") << QByteArray("12.") << 9 << 3 << true << QByteArray("12.");
    QTest::newRow("empty") << QByteArray("") << 9 << 3 << true << QByteArray("");
}

void TestNumValue::cleanText()
{
    QFETCH(QByteArray, text);
    QFETCH(int, integerLength);
    QFETCH(int, decimalLength);
    QFETCH(bool, minus);
    QFETCH(QByteArray, expected);
    const NumFormat f = formatOf(integerLength, decimalLength, minus);
    QCOMPARE(QByteArray::fromStdString(numvalue::CleanText(bytes(text), f)), expected);
    // Cleaning is idempotent: what the field stores cleans to itself.
    QCOMPARE(QByteArray::fromStdString(numvalue::CleanText(bytes(expected), f)), expected);
}

void TestNumValue::suppressZeros_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("zeroEnabled");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("zeros kept when enabled") << QByteArray("007") << true << QByteArray("007");
    QTest::newRow("zeros before point") << QByteArray("00.5") << false << QByteArray("0.5");
    QTest::newRow("zeros after point stay") << QByteArray("1.00") << false << QByteArray("1.00");
    QTest::newRow("negative zeros") << QByteArray("-007") << false << QByteArray("-7");
    QTest::newRow("zero point") << QByteArray("0.") << false << QByteArray("0.");
    QTest::newRow("minus point") << QByteArray("-.") << false << QByteArray("-0.");
}

void TestNumValue::suppressZeros()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, zeroEnabled);
    QFETCH(QByteArray, expected);
    NumFormat f;
    f.ZeroEnabled = zeroEnabled;
    QCOMPARE(QByteArray::fromStdString(numvalue::SuppressZeros(bytes(value), f)), expected);
}

void TestNumValue::formatAndDisplay_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("decimalLength");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<bool>("decimalFixed");
    QTest::addColumn<bool>("integerFixed");
    QTest::addColumn<QByteArray>("leftMark");
    QTest::addColumn<QByteArray>("display");

    QTest::newRow("grouped negative") << QByteArray("-1234.5") << 3 << true << false << false << QByteArray()
                                      << QByteArray("-1,234.5");
    QTest::newRow("no commas") << QByteArray("1234567") << 3 << false << false << false << QByteArray()
                               << QByteArray("1234567");
    QTest::newRow("trailing point visible")
        << QByteArray("12.") << 3 << true << false << false << QByteArray() << QByteArray("12.");
    QTest::newRow("fixed empty") << QByteArray("") << 2 << true << true << false << QByteArray() << QByteArray("0.00");
    QTest::newRow("fixed whole") << QByteArray("5") << 2 << true << true << false << QByteArray() << QByteArray("5.00");
    QTest::newRow("fixed padded") << QByteArray("5.1") << 2 << true << true << false << QByteArray()
                                  << QByteArray("5.10");
    QTest::newRow("fixed lone minus") << QByteArray("-") << 2 << true << true << false << QByteArray()
                                      << QByteArray("-0.00");
    QTest::newRow("fixed truncates") << QByteArray("5.129") << 2 << true << true << false << QByteArray()
                                     << QByteArray("5.12");
    QTest::newRow("fixed without decimals keeps typed point")
        << QByteArray("12.") << 0 << true << true << false << QByteArray() << QByteArray("12.");
    QTest::newRow("integer fixed empty") << QByteArray("") << 3 << true << false << true << QByteArray()
                                         << QByteArray("0");
    QTest::newRow("integer fixed point") << QByteArray(".5") << 3 << true << false << true << QByteArray()
                                         << QByteArray("0.5");
    QTest::newRow("marks around number") << QByteArray("1000") << 3 << true << false << false << QByteArray("\\")
                                         << QByteArray("\\1,000yen");
    QTest::newRow("marks vanish when empty")
        << QByteArray("") << 3 << true << false << false << QByteArray("\\") << QByteArray("");
}

void TestNumValue::formatAndDisplay()
{
    QFETCH(QByteArray, value);
    QFETCH(int, decimalLength);
    QFETCH(bool, comma);
    QFETCH(bool, decimalFixed);
    QFETCH(bool, integerFixed);
    QFETCH(QByteArray, leftMark);
    QFETCH(QByteArray, display);
    NumFormat f;
    f.DecimalLength = decimalLength;
    f.Comma = comma;
    f.DecimalFixed = decimalFixed;
    f.IntegerFixed = integerFixed;
    if (!leftMark.isEmpty()) {
        f.LeftMark = bytes(leftMark);
        f.RightMark = "yen";
    }
    QCOMPARE(QByteArray::fromStdString(numvalue::MakeDisplayText(bytes(value), f)), display);
}

void TestNumValue::layoutAndMaxText_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("integerLength");
    QTest::addColumn<int>("decimalLength");
    QTest::addColumn<bool>("decimalFixed");
    QTest::addColumn<bool>("integerFixed");
    QTest::addColumn<QByteArray>("layout");
    QTest::addColumn<QByteArray>("max");

    QTest::newRow("plain follows value") << QByteArray("-1234.5") << 9 << 3 << false << false << QByteArray("-1,234.5")
                                         << QByteArray("-000,000,000.000");
    QTest::newRow("integer fixed template")
        << QByteArray("12") << 9 << 3 << false << true << QByteArray("-000,000,000") << QByteArray("-000,000,000.000");
    QTest::newRow("decimal fixed template")
        << QByteArray("") << 3 << 2 << true << false << QByteArray("0.00") << QByteArray("-000.00");
    QTest::newRow("decimal fixed sets point without decimals")
        << QByteArray("5") << 3 << 0 << true << false << QByteArray("5.") << QByteArray("-000.");
    QTest::newRow("integer fixed with no integer digits")
        << QByteArray("") << 0 << 2 << false << true << QByteArray("-0") << QByteArray("-.00");
}

void TestNumValue::layoutAndMaxText()
{
    QFETCH(QByteArray, value);
    QFETCH(int, integerLength);
    QFETCH(int, decimalLength);
    QFETCH(bool, decimalFixed);
    QFETCH(bool, integerFixed);
    QFETCH(QByteArray, layout);
    QFETCH(QByteArray, max);
    NumFormat f;
    f.IntegerLength = integerLength;
    f.DecimalLength = decimalLength;
    f.DecimalFixed = decimalFixed;
    f.IntegerFixed = integerFixed;
    QCOMPARE(QByteArray::fromStdString(numvalue::MakeLayoutText(bytes(value), f)), layout);
    QCOMPARE(QByteArray::fromStdString(numvalue::MakeMaxText(f)), max);
}

QTEST_APPLESS_MAIN(TestNumValue)
#include "tst_numvalue.moc"
