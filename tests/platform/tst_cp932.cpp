#include "platform/Cp932.h"

#include <QTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void unrepresentableBecomesGeta();
    void strictRefusesUnrepresentable();
    void invalidBytesBecomeGeta_data();
    void invalidBytesBecomeGeta();
    void charCount_data();
    void charCount();
    void tablesAgreeWithTheConverter_data();
    void tablesAgreeWithTheConverter();
    void byteLengthIsTheEncodedLength_data();
    void byteLengthIsTheEncodedLength();
};

void TestCp932::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("abc 123") << QByteArray("abc 123");
    QTest::newRow("application title") << QStringLiteral("◇mivo_Kangaroo") << QByteArray("\x81\x9Emivo_Kangaroo");
    QTest::newRow("full-width minus is 817C") << QStringLiteral("－") << QByteArray("\x81\x7C");
    QTest::newRow("wave dash of code page 932") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("half-width katakana") << QStringLiteral("ｶﾞ") << QByteArray("\xB6\xDE");
    QTest::newRow("kanji") << QStringLiteral("東京都") << QByteArray("\x93\x8C\x8B\x9E\x93\x73");
    QTest::newRow("NEC special: circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
}

void TestCp932::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::string encoded = cp932::FromUtf8(text.toStdString());
    QCOMPARE(QByteArray::fromStdString(encoded), bytes);
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(encoded)), text);
    QVERIFY(cp932::CanEncode(text.toStdString()));
}

void TestCp932::unrepresentableBecomesGeta()
{
    // Emoji and Hangul have no code page 932 form.
    const std::string encoded = cp932::FromUtf8("a\xF0\x9F\x98\x80"
                                                "b\xEA\xB0\x80"
                                                "c");
    QCOMPARE(QByteArray::fromStdString(encoded), QByteArray("a\x81\xAC"
                                                            "b\x81\xAC"
                                                            "c"));
}

void TestCp932::strictRefusesUnrepresentable()
{
    QVERIFY(!cp932::FromUtf8Strict("東京\xEA\xB0\x80").has_value());
    QVERIFY(!cp932::CanEncode("\xF0\x9F\x98\x80"));
    QCOMPARE(cp932::FromUtf8Strict("").value(), std::string());
}

void TestCp932::invalidBytesBecomeGeta_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("invalid");
    QTest::newRow("lone lead byte at the end") << QByteArray("ab\x81") << QStringLiteral("ab〓") << 1;
    QTest::newRow("lead byte before a line feed keeps the line feed")
        << QByteArray("a\x81\nb") << QStringLiteral("a〓\nb") << 1;
    QTest::newRow("undefined single byte") << QByteArray("a\xA0z") << QStringLiteral("a〓z") << 1;
    QTest::newRow("unassigned pair is one fault") << QByteArray("\x85\x40x") << QStringLiteral("〓x") << 1;
    QTest::newRow("a real geta is no fault") << QByteArray("\x81\xAC") << QStringLiteral("〓") << 0;
    QTest::newRow("NUL passes") << QByteArray("a\0b", 3) << QString::fromUtf8("a\0b", 3) << 0;
}

void TestCp932::invalidBytesBecomeGeta()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(int, invalid);
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(bytes.toStdString())), text);
    QCOMPARE(cp932::CountInvalid(bytes.toStdString()), static_cast<std::size_t>(invalid));
    std::size_t counted = 0;
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(bytes.toStdString(), "〓", counted)), text);
    QCOMPARE(counted, static_cast<std::size_t>(invalid));
    // A caller that must tell a fault from a real "〓" names its own replacement.
    const QString marked = QString::fromStdString(cp932::ToUtf8(bytes.toStdString(), "\xEF\xBF\xBD"));
    QCOMPARE(marked.count(QChar(0xFFFD)), invalid);
    // A replacement shorter than the table's own still fills exactly the room measured for it.
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(bytes.toStdString(), "?")),
             QString(marked).replace(QChar(0xFFFD), '?'));
}

void TestCp932::charCount_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("ascii") << QByteArray("abc") << 3;
    QTest::newRow("double-byte counts one") << QByteArray("\x93\x8C"
                                                          "a\x8B\x9E")
                                            << 3;
    QTest::newRow("half-width katakana counts one") << QByteArray("\xB6\xDE") << 2;
    QTest::newRow("lead byte at the end counts one") << QByteArray("a\x81") << 2;
}

void TestCp932::charCount()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QCOMPARE(cp932::CharCount(bytes.toStdString()), static_cast<std::size_t>(count));
}

void TestCp932::tablesAgreeWithTheConverter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray everyPair;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            everyPair.append(char(lead)).append(char(trail)).append('.');
        }
    }
    QByteArray everySingle;
    for (int byte = 0; byte < 0x100; ++byte) {
        everySingle.append(char(byte)).append(' ');
    }
    QTest::newRow("every double-byte code") << everyPair;
    QTest::newRow("every byte before a blank") << everySingle;
    QTest::newRow("lead byte at the end") << QByteArray("a\x82");
    QTest::newRow("lead byte before a control") << QByteArray("\x82\x0A"
                                                              "b");
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40x");
}

void TestCp932::tablesAgreeWithTheConverter()
{
    QFETCH(QByteArray, bytes);
    const std::string_view text(bytes.constData(), bytes.size());
    const std::string utf8 = cp932::detail::ToUtf8ByConverter(text);
    QCOMPARE(cp932::ToUtf8(text), utf8);
    for (const std::string& sample : {utf8, std::string("𠮷"), std::string("∑≒¥"), std::string("🌸")}) {
        QCOMPARE(cp932::CanEncode(sample), cp932::FromUtf8Strict(sample).has_value());
    }
}

void TestCp932::byteLengthIsTheEncodedLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("abc");
    QTest::newRow("half-width katakana is one byte") << QStringLiteral("ｶﾞﾗｽ");
    QTest::newRow("kanji and full-width digits") << QStringLiteral("東京都１２３");
    QTest::newRow("one-way form: yen sign") << QStringLiteral("¥100");
    QTest::newRow("no form counts as geta") << QStringLiteral("𠮷田🌸");
}

void TestCp932::byteLengthIsTheEncodedLength()
{
    QFETCH(QString, text);
    const std::string utf8 = text.toStdString();
    QCOMPARE(cp932::ByteLength(utf8), cp932::FromUtf8(utf8).size());
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
