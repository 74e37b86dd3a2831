#include "platform/RegularFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

// Every reader of outside files goes through ReadRegularFile: it must never wait on a FIFO or a
// device, and must refuse a file above its limit before reading it.
class TestRegularFile : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void fileAtTheLimitIsRead();
    void missingFileIsNothing();
};

void TestRegularFile::refusals_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("message");
    QTest::newRow("FIFO") << "fifo" << int(FileReadError::Reason::NotRegular) << "は通常のファイルではありません";
    QTest::newRow("folder") << "folder" << int(FileReadError::Reason::NotRegular) << "は通常のファイルではありません";
    QTest::newRow("link to a device") << "device" << int(FileReadError::Reason::NotRegular)
                                      << "は通常のファイルではありません";
    QTest::newRow("sparse file above the limit")
        << "sparse" << int(FileReadError::Reason::TooLarge) << "は大きすぎます（1 MB まで）";
}

void TestRegularFile::refusals()
{
    QFETCH(QString, kind);
    QFETCH(int, reason);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdString()) / "orders.csv";
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
    } else if (kind == "folder") {
        fs::create_directory(file);
    } else if (kind == "device") {
        fs::create_symlink("/dev/zero", file);
    } else {
        std::ofstream(file).close();
        fs::resize_file(file, std::uintmax_t{8} << 30);
    }
    try {
        ReadRegularFile(file, 1024 * 1024);
        QFAIL("read");
    } catch (const FileReadError& error) {
        QCOMPARE(int(error.reason()), reason);
        QCOMPARE(QString::fromUtf8(error.what()), QString::fromStdString(file.string()) + " " + message);
    }
}

void TestRegularFile::fileAtTheLimitIsRead()
{
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdString()) / "orders.csv";
    std::ofstream(file, std::ios::binary) << std::string(4096, 'x');
    QCOMPARE(ReadRegularFile(file, 4096).value(), std::string(4096, 'x'));
    QVERIFY_THROWS_EXCEPTION(FileReadError, ReadRegularFile(file, 4095));
}

void TestRegularFile::missingFileIsNothing()
{
    QVERIFY(!ReadRegularFile("/nonexistent/orders.csv", 10).has_value());
}

QTEST_APPLESS_MAIN(TestRegularFile)
#include "tst_regularfile.moc"
