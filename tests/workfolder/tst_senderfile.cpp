#include "platform/AtomicFile.h"
#include "workfolder/SenderFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace fs = std::filesystem;

class TestSenderFile : public QObject
{
    Q_OBJECT

private slots:
    void fileNames();
    void format_data();
    void format();
    void parse_data();
    void parse();
    void missingFile();
};

void TestSenderFile::fileNames()
{
    QCOMPARE(SenderFile::ForTab(0), fs::path("my0.txt"));
    QCOMPARE(SenderFile::ForTab(2), fs::path("my2.txt"));
    QCOMPARE(SenderFile::ForTab(9), fs::path("my9.txt"));
}

void TestSenderFile::format_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("five lines in field order")
        << QByteArray("\x90\xBC\x94\x5A")
        << QByteArray("100-0001\r\n\x93\x8C\x8B\x9E\r\n\r\n\x90\xBC\x94\x5A\r\n03\r\n");
    // A pasted name with a line break must not push the telephone into a sixth line.
    QTest::newRow("line breaks become blanks")
        << QByteArray("a\r\nb\nc") << QByteArray("100-0001\r\n\x93\x8C\x8B\x9E\r\n\r\na  b c\r\n03\r\n");
}

void TestSenderFile::format()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    const SenderRecord sender{"100-0001", "\x93\x8C\x8B\x9E", "", name.toStdString(), "03"};
    QCOMPARE(QByteArray::fromStdString(SenderFile::Format(sender)), expected);
}

void TestSenderFile::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("CR LF") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n") << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("LF") << QByteArray("1\n2\n3\n4\n5\n") << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("CR") << QByteArray("1\r2\r3\r4\r5\r") << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("three lines leave name and telephone empty")
        << QByteArray("1\r\n2\r\n3\r\n") << QStringList{"1", "2", "3", "", ""};
    QTest::newRow("seven lines: the last two ignored")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n") << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("empty lines kept in place") << QByteArray("\r\n\r\n3\r\n\r\n5") << QStringList{"", "", "3", "", "5"};
    QTest::newRow("empty file") << QByteArray() << QStringList{"", "", "", "", ""};
    QTest::newRow("mixed line ends") << QByteArray("1\n2\r3\r\n4\n\n") << QStringList{"1", "2", "3", "4", ""};
    QTest::newRow("NUL bytes are text") << QByteArray("a\0b\r\n", 5)
                                        << QStringList{QString::fromLatin1("a\0b", 3), "", "", "", ""};
}

void TestSenderFile::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, fields);
    const SenderRecord sender = SenderFile::Parse(content.toStdString());
    const QStringList got{QString::fromStdString(sender.zip), QString::fromStdString(sender.address1),
                          QString::fromStdString(sender.address2), QString::fromStdString(sender.name),
                          QString::fromStdString(sender.tel)};
    QCOMPARE(got, fields);
}

void TestSenderFile::missingFile()
{
    QTemporaryDir folder;
    try {
        SenderFile::Read(fs::path(folder.path().toStdString()) / "my4.txt");
        QFAIL("a missing file was read");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("File not found"));
    }
}

QTEST_GUILESS_MAIN(TestSenderFile)
#include "tst_senderfile.moc"
