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
    QTest::newRow("lone lead byte at the end") << QByteArray("ab\x81") << QStringLiteral("ab〓");
    QTest::newRow("lead byte before a line feed keeps the line feed")
        << QByteArray("a\x81\nb") << QStringLiteral("a〓\nb");
    QTest::newRow("undefined single byte") << QByteArray("a\xA0z") << QStringLiteral("a〓z");
    QTest::newRow("NUL passes") << QByteArray("a\0b", 3) << QString::fromUtf8("a\0b", 3);
}

void TestCp932::invalidBytesBecomeGeta()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(cp932::ToUtf8(bytes.toStdString())), text);
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

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_cp932.moc"
