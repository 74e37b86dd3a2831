#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include <QTest>

// The one UTF-8 reader and the width folds every reader of outside text shares.
class TestUtf8 : public QObject
{
    Q_OBJECT

private slots:
    void charAt_data();
    void charAt();
    void isValidAgreesWithCharAt();
    void firstCharsNeverCutsACharacter();
    void asciiForm_data();
    void asciiForm();
    void foldWidth_data();
    void foldWidth();
    void trimBlanks_data();
    void trimBlanks();
};

namespace {

std::string bytesOf(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

void TestUtf8::charAt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("length");
    QTest::addColumn<uint>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii") << QByteArray("a") << 1 << 0x61u << true;
    QTest::newRow("two bytes") << QByteArray("\xC2\xA5") << 2 << 0xA5u << true;
    QTest::newRow("kanji") << QByteArray("住") << 3 << 0x4F4Fu << true;
    QTest::newRow("four bytes") << QByteArray("🌸") << 4 << 0x1F338u << true;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << 1 << 0xFFFDu << false;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << 1 << 0xFFFDu << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << 1 << 0xFFFDu << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 1 << 0xFFFDu << false;
    QTest::newRow("cut short") << QByteArray("\xE4\xBD") << 1 << 0xFFFDu << false;
    QTest::newRow("stray continuation") << QByteArray("\x80z") << 1 << 0xFFFDu << false;
    QTest::newRow("code page 932 kanji") << QByteArray("\x8F\x5A") << 1 << 0xFFFDu << false;
}

void TestUtf8::charAt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, length);
    QFETCH(uint, code);
    QFETCH(bool, valid);
    const std::string text = bytesOf(bytes);
    const utf8::Char c = utf8::charAt(text, 0);
    QCOMPARE(c.length, static_cast<std::size_t>(length));
    QCOMPARE(static_cast<uint>(c.code), code);
    QCOMPARE(c.valid, valid);
    QCOMPARE(utf8::isValid(text), valid && static_cast<std::size_t>(length) == text.size());
}

// isValid takes a short cut for most three-byte sequences; every one of them, whole, cut short
// or followed by more, must be judged as charAt judges it.
void TestUtf8::isValidAgreesWithCharAt()
{
    std::string sequence(4, 'a');
    const auto readWhole = [](std::string_view bytes) {
        const std::vector<utf8::Char> chars = utf8::split(bytes);
        return std::all_of(chars.begin(), chars.end(), [](const utf8::Char& c) { return c.valid; });
    };
    for (int lead = 0xE0; lead <= 0xEF; ++lead) {
        for (int second = 0; second < 0x100; ++second) {
            for (int third = 0; third < 0x100; ++third) {
                sequence[0] = char(lead);
                sequence[1] = char(second);
                sequence[2] = char(third);
                for (const std::string_view bytes :
                     {std::string_view(sequence), std::string_view(sequence).substr(0, 3),
                      std::string_view(sequence).substr(0, 2)}) {
                    if (utf8::isValid(bytes) != readWhole(bytes) ||
                        (utf8::countMalformed(bytes) == 0) != readWhole(bytes)) {
                        QFAIL(
                            qPrintable(QString::fromLatin1(QByteArray(bytes.data(), qsizetype(bytes.size())).toHex())));
                    }
                }
            }
        }
    }
}

void TestUtf8::firstCharsNeverCutsACharacter()
{
    const std::string text = "山田a🌸\xFF子";
    QCOMPARE(utf8::firstChars(text, 0), std::string_view());
    QCOMPARE(utf8::firstChars(text, 2), std::string_view("山田"));
    QCOMPARE(utf8::firstChars(text, 4), std::string_view("山田a🌸"));
    QCOMPARE(utf8::firstChars(text, 5), std::string_view("山田a🌸\xFF"));
    QCOMPARE(utf8::firstChars(text, 99), std::string_view(text));
    QCOMPARE(utf8::length(text), std::size_t{6});
}

void TestUtf8::asciiForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ascii");
    QTest::newRow("full-width digits and dashes") << "０３－１２３４ー５６７８"
                                                  << "03-1234-5678";
    QTest::newRow("half-width long vowel and box line") << "03ｰ1234─5678"
                                                        << "03-1234-5678";
    QTest::newRow("full-width letters and blank") << "ＡＢ　ｃ"
                                                  << "AB c";
    QTest::newRow("kanji stay") << "２個入り"
                                << "2個入り";
}

void TestUtf8::asciiForm()
{
    QFETCH(QString, text);
    QFETCH(QString, ascii);
    QCOMPARE(QString::fromStdString(widthfold::asciiForm(text.toStdString())), ascii);
}

void TestUtf8::foldWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("voiced mark joins") << "ｶﾞｽ"
                                       << "ガス";
    QTest::newRow("semi-voiced mark joins") << "ﾊﾟﾝ"
                                            << "パン";
    QTest::newRow("vu") << "ｳﾞｨ"
                        << "ヴィ";
    QTest::newRow("mark after a letter that takes none") << "ｱﾞ"
                                                         << "ア゛";
    QTest::newRow("mark alone") << "ﾟ"
                                << "゜";
    QTest::newRow("full-width ASCII, blank and tab") << "ＴＥＬ　１\t2"
                                                     << "TEL 1 2";
}

void TestUtf8::foldWidth()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    const std::u32string result = widthfold::foldWidth(utf8::decode(text.toStdString()));
    QCOMPARE(QString::fromStdString(utf8::encode(result)), folded);
}

void TestUtf8::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks of both widths") << "　 山田\t太郎　\r\n"
                                           << "山田\t太郎";
    QTest::newRow("only blanks") << " 　 "
                                 << "";
    QTest::newRow("inner wide blank stays") << "山田　太郎"
                                            << "山田　太郎";
}

void TestUtf8::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    const std::string utf8 = text.toStdString();
    QCOMPARE(QString::fromStdString(std::string(widthfold::trimBlanks(utf8))), trimmed);
}

QTEST_APPLESS_MAIN(TestUtf8)
#include "tst_utf8.moc"
