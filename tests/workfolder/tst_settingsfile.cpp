#include "platform/AtomicFile.h"
#include "tests/support/ScratchDisk.h"
#include "workfolder/SettingsFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void PutFile(const fs::path& file, const QByteArray& content)
{
    std::ofstream(file, std::ios::binary).write(content.constData(), content.size());
}

QByteArray FileContent(const fs::path& file)
{
    return QByteArray::fromStdString(AtomicFile::Read(file).value_or("<missing>"));
}

SlipSettings Sample()
{
    SlipSettings settings;
    settings.addressFont = 2;
    settings.zip = "100-0001";
    settings.address1 = "\x93\x8C\x8B\x9E\x93\x73"; // 東京都
    settings.address2 = "1-2";
    settings.customer = "A";
    settings.tel = "03";
    settings.goods1 = "G1";
    settings.goods2 = "";
    settings.goods3 = "G3";
    settings.senderName = "S";
    settings.senderZip = "200-0002";
    settings.senderAddress1 = "SA1";
    settings.senderAddress2 = "SA2";
    settings.senderTel = "06";
    settings.paperIndex = 1;
    settings.pieceCount = "12";
    settings.deliveryMonth = "3";
    settings.deliveryDay = "31";
    return settings;
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstWriteListsEntriesInWriteOrder();
    void printerEntriesAreNeverWritten();
    void leadingBlankIsLost();
    void fullDiskLeavesEveryOldEntry();

private:
    QTemporaryDir m_folder;
    fs::path m_file;
};

void TestSettingsFile::init()
{
    m_file = SettingsFile::In(m_folder.path().toStdString());
    fs::remove(m_file);
}

void TestSettingsFile::firstWriteListsEntriesInWriteOrder()
{
    SettingsFile::Write(m_file, Sample());
    QCOMPARE(FileContent(m_file), QByteArray("[mv_Kangarooprn]\r\n"
                                             "Addr_Font=2\r\n"
                                             "E_ZIP=100-0001\r\n"
                                             "E_AD1=\x93\x8C\x8B\x9E\x93\x73\r\n"
                                             "E_AD2=1-2\r\n"
                                             "E_CUS=A\r\n"
                                             "E_TEL=03\r\n"
                                             "E_G1=G1\r\n"
                                             "E_G2=\r\n"
                                             "E_G3=G3\r\n"
                                             "OP023My=S\r\n"
                                             "OP023MyZip=200-0002\r\n"
                                             "OP023MyADD1=SA1\r\n"
                                             "OP023MyADD2=SA2\r\n"
                                             "OP023MyTEL=06\r\n"
                                             "ComboBox_SEL=1\r\n"
                                             "KOSUU=12\r\n"
                                             "de_date1=3\r\n"
                                             "de_date2=31\r\n"));
}

void TestSettingsFile::printerEntriesAreNeverWritten()
{
    const QByteArray printer =
        "[mv_Kangarooprn]\r\nKangarooprnno=3\r\nmv_Kangarooprn_Top=-12\r\nmv_Kangarooprn_Left=0x10\r\n";
    PutFile(m_file, printer);
    SlipSettings settings = SettingsFile::Read(m_file);
    QCOMPARE(settings.printerIndex, 3);
    QCOMPARE(settings.printTop, -12);
    QCOMPARE(settings.printLeft, 16);

    settings.printerIndex = 0;
    settings.printTop = 0;
    settings.printLeft = 0;
    SettingsFile::Write(m_file, settings);
    QVERIFY(FileContent(m_file).startsWith(printer));
}

void TestSettingsFile::leadingBlankIsLost()
{
    SlipSettings settings;
    settings.address1 = " \x81\x40\x93\x8C"; // an ASCII blank, then a full-width blank and 東
    SettingsFile::Write(m_file, settings);
    QCOMPARE(SettingsFile::Read(m_file).address1, std::string("\x81\x40\x93\x8C"));
}

void TestSettingsFile::fullDiskLeavesEveryOldEntry()
{
    ScratchDisk disk("size=32k");
    if (!disk.available()) {
        QSKIP("cannot mount a small disk here");
    }
    const fs::path file = SettingsFile::In(disk.path());
    PutFile(file, "[mv_Kangarooprn]\r\nE_G1=old\r\n");
    // Fill the disk, then free one page: room for the small file's copy, not for a large one.
    const fs::path fillerPath = fs::path(disk.path()) / "filler";
    const int filler = ::open(fillerPath.c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string page(4096, 'x');
    off_t filled = 0;
    while (::write(filler, page.data(), page.size()) == static_cast<ssize_t>(page.size())) {
        filled += static_cast<off_t>(page.size());
    }
    QVERIFY(::ftruncate(filler, filled - 4096) == 0);
    ::close(filler);

    SlipSettings settings;
    settings.addressFont = 0;
    settings.zip = "100-0001";
    settings.address1 = std::string(6000, 'a');
    try {
        SettingsFile::Write(file, settings);
        QFAIL("the save was reported as done");
    } catch (const FileWriteError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QString::fromStdString(file.string()) + QStringLiteral(" に書き込めません"));
    }
    QCOMPARE(FileContent(file), QByteArray("[mv_Kangarooprn]\r\nE_G1=old\r\n"));
    QCOMPARE(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 2);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
