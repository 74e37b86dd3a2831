#include "platform/AtomicFile.h"
#include "platform/OpenedFolder.h"
#include "platform/ProfileFile.h"
#include "platform/SharedFolder.h"
#include "tests/support/OtherUser.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void PutFile(const fs::path& file, const std::string& content)
{
    std::ofstream(file, std::ios::binary) << content;
}

std::string FileContent(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// What a second user can put under a name of the working folder.
enum class Planted
{
    LinkToVictimFile,
    OthersFile,
    LinkToVictimFolder,
    OthersFolder,
};

} // namespace

// Attacks of a second local user on a working folder they can write to: each must fail, and
// the victim's own files elsewhere must stay as they were. The program runs as the victim.
class TestSharedFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writersRefuseWhatOthersPlanted_data();
    void writersRefuseWhatOthersPlanted();
    void readersRefuseWhatOthersPlanted_data();
    void readersRefuseWhatOthersPlanted();
    void slipsFolderMustBeTheUsers_data();
    void slipsFolderMustBeTheUsers();
    void newFilesAreNeverCreatedThroughALink();
    void ownLinksOutsideSharedFoldersKeepWorking();
    void specialFilesAreRefusedWithoutBlocking_data();
    void specialFilesAreRefusedWithoutBlocking();

private:
    // A folder of the given mode in a scratch folder, with the victim's own file and folder
    // beside it as the targets of the planted links.
    fs::path sharedFolder(mode_t mode);
    void plant(Planted what, const fs::path& name);

    uid_t m_other = 0;
    std::unique_ptr<QTemporaryDir> m_scratch;
    fs::path m_victimFile;
    fs::path m_victimFolder;
};

void TestSharedFolder::initTestCase()
{
    const std::optional<uid_t> other = OtherUser();
    if (!other) {
        QSKIP("needs a second local user: run as root, which may add one with useradd");
    }
    m_other = *other;
}

fs::path TestSharedFolder::sharedFolder(mode_t mode)
{
    m_scratch = std::make_unique<QTemporaryDir>();
    const fs::path base = m_scratch->path().toStdString();
    m_victimFile = base / "victim.conf";
    m_victimFolder = base / "victim";
    PutFile(m_victimFile, "victim's\n");
    fs::create_directory(m_victimFolder);
    const fs::path folder = base / "shared";
    fs::create_directory(folder);
    ::chmod(folder.c_str(), mode);
    ::chmod(base.c_str(), 0755);
    return folder;
}

void TestSharedFolder::plant(Planted what, const fs::path& name)
{
    switch (what) {
    case Planted::LinkToVictimFile:
        fs::create_symlink(m_victimFile, name);
        break;
    case Planted::OthersFile:
        PutFile(name, "[mv_Kangarooprn]\r\nE_CUS=planted\r\n");
        break;
    case Planted::LinkToVictimFolder:
        fs::create_symlink(m_victimFolder, name);
        break;
    case Planted::OthersFolder:
        fs::create_directory(name);
        ::chmod(name.c_str(), 0777);
        break;
    }
    QCOMPARE(::lchown(name.c_str(), m_other, m_other), 0);
}

void TestSharedFolder::writersRefuseWhatOthersPlanted_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("planted");
    QTest::addColumn<QString>("reason");
    const QString link = QStringLiteral("ほかのユーザーも書き込めるフォルダーの中のリンクです");
    const QString others = QStringLiteral("ほかのユーザーのファイルです（ほかのユーザーも書き込めるフォルダーの中）");
    for (const int mode : {01777, 0777, 0775}) {
        const QByteArray folder = QByteArray::number(mode, 8);
        for (const char* name : {"mivo_Kangaroo.ini", "mivo_postal.dat", "my0.txt"}) {
            QTest::addRow("%s: link as %s", folder.constData(), name)
                << mode << name << static_cast<int>(Planted::LinkToVictimFile) << link;
            QTest::addRow("%s: other user's %s", folder.constData(), name)
                << mode << name << static_cast<int>(Planted::OthersFile) << others;
        }
    }
}

void TestSharedFolder::writersRefuseWhatOthersPlanted()
{
    QFETCH(int, folderMode);
    QFETCH(QString, name);
    QFETCH(int, planted);
    QFETCH(QString, reason);
    const fs::path file = sharedFolder(static_cast<mode_t>(folderMode)) / name.toStdString();
    plant(static_cast<Planted>(planted), file);
    const std::string before = FileContent(file);

    const ProfileFile::Entry entry{"E_CUS", "victim's recipient"};
    const std::string expected =
        fs::absolute(file).lexically_normal().string() + " に書き込めません: " + reason.toStdString();
    for (int writer = 0; writer < 2; ++writer) {
        try {
            if (writer == 0) {
                AtomicFile::Write(file, "written");
            } else {
                ProfileFile::WriteValues(file, "mv_Kangarooprn", {&entry, 1});
            }
            QFAIL("written");
        } catch (const FileWriteError& error) {
            QCOMPARE(std::string(error.what()), expected);
        }
    }
    QCOMPARE(FileContent(m_victimFile), std::string("victim's\n"));
    QCOMPARE(FileContent(file), before);
}

void TestSharedFolder::readersRefuseWhatOthersPlanted_data()
{
    QTest::addColumn<int>("planted");
    QTest::newRow("link to the victim's file") << static_cast<int>(Planted::LinkToVictimFile);
    QTest::newRow("the other user's file") << static_cast<int>(Planted::OthersFile);
}

void TestSharedFolder::readersRefuseWhatOthersPlanted()
{
    QFETCH(int, planted);
    const fs::path folder = sharedFolder(01777);
    const fs::path settings = folder / "mivo_Kangaroo.ini";
    plant(static_cast<Planted>(planted), settings);
    QVERIFY_THROWS_EXCEPTION(UnsafeFileError, AtomicFile::Read(settings));
    // A planted setting must not reach the slip.
    QCOMPARE(ProfileFile::ReadString(settings, "mv_Kangarooprn", "E_CUS", "none"), std::string("none"));

    // The journal and each file SQLite keeps beside it are checked before SQLite opens them.
    for (const char* name : {"mivo_journal.db", "mivo_journal.db-wal", "mivo_journal.db-shm"}) {
        const fs::path journal = folder / "mivo_journal.db";
        fs::remove(folder / name);
        plant(static_cast<Planted>(planted), folder / name);
        QVERIFY_THROWS_EXCEPTION(UnsafeFileError, SharedFolder::CheckDatabase(journal));
        fs::remove(folder / name);
    }
    QCOMPARE(FileContent(m_victimFile), std::string("victim's\n"));
}

void TestSharedFolder::slipsFolderMustBeTheUsers_data()
{
    QTest::addColumn<int>("planted");
    QTest::newRow("link to the victim's folder") << static_cast<int>(Planted::LinkToVictimFolder);
    QTest::newRow("the other user's folder") << static_cast<int>(Planted::OthersFolder);
}

void TestSharedFolder::slipsFolderMustBeTheUsers()
{
    QFETCH(int, planted);
    const fs::path slips = sharedFolder(01777) / "slips";
    plant(static_cast<Planted>(planted), slips);
    try {
        OpenedFolder::OpenOwn(slips);
        QFAIL("opened");
    } catch (const UnsafeFileError& error) {
        QVERIFY(std::string(error.what()).starts_with(fs::absolute(slips).string() + " を使いません: "));
    }
    QVERIFY(fs::is_empty(m_victimFolder));

    // A folder of its own is made and used.
    fs::remove(slips);
    const OpenedFolder made = OpenedFolder::OpenOwn(slips);
    QVERIFY(fs::is_directory(fs::symlink_status(slips)));
}

void TestSharedFolder::newFilesAreNeverCreatedThroughALink()
{
    const fs::path folder = sharedFolder(01777);
    const std::string spool = ".mivo-spool-Ab12Cd.pdf";
    plant(Planted::LinkToVictimFile, folder / spool);
    const OpenedFolder opened = OpenedFolder::Open(folder);
    QCOMPARE(opened.createNew(spool), -1);
    QCOMPARE(errno, EEXIST);
    // Nor renamed over an existing name.
    const int descriptor = opened.createNew("job.pdf.part");
    QVERIFY(descriptor >= 0);
    ::close(descriptor);
    QVERIFY(!opened.renameNoReplace("job.pdf.part", spool));
    QVERIFY(fs::is_symlink(folder / spool));
    QCOMPARE(FileContent(m_victimFile), std::string("victim's\n"));
}

void TestSharedFolder::ownLinksOutsideSharedFoldersKeepWorking()
{
    sharedFolder(01777);
    const fs::path own = m_victimFile.parent_path() / "own";
    fs::create_directory(own);
    ::chmod(own.c_str(), 0755);
    fs::create_symlink(m_victimFile, own / "mivo_Kangaroo.ini");
    fs::create_symlink(m_victimFolder, own / "slips");
    QVERIFY(!SharedFolder::IsShared(own));

    AtomicFile::Write(own / "mivo_Kangaroo.ini", "through the link");
    QCOMPARE(FileContent(m_victimFile), std::string("through the link"));
    QVERIFY(fs::is_symlink(own / "mivo_Kangaroo.ini"));
    const OpenedFolder slips = OpenedFolder::OpenOwn(own / "slips");
    QVERIFY(slips.createNew("slip.pdf") >= 0);
    QVERIFY(fs::exists(m_victimFolder / "slip.pdf"));
}

void TestSharedFolder::specialFilesAreRefusedWithoutBlocking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("shared");
    for (const bool shared : {false, true}) {
        const char* where = shared ? "shared folder" : "own folder";
        QTest::addRow("FIFO, %s", where) << "fifo" << shared;
        QTest::addRow("folder, %s", where) << "folder" << shared;
        QTest::addRow("link to a device, %s", where) << "device" << shared;
    }
}

void TestSharedFolder::specialFilesAreRefusedWithoutBlocking()
{
    QFETCH(QString, kind);
    QFETCH(bool, shared);
    const fs::path folder = sharedFolder(shared ? 01777 : 0755);
    const fs::path journal = folder / "mivo_journal.db";
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(journal.c_str(), 0600), 0);
    } else if (kind == "folder") {
        fs::create_directory(journal);
    } else {
        fs::create_symlink("/dev/zero", journal);
    }
    // Opening a FIFO for reading or writing in the ordinary way would wait here forever.
    QVERIFY_THROWS_EXCEPTION(UnsafeFileError, SharedFolder::CheckDatabase(journal));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, AtomicFile::Read(journal));
    QVERIFY_THROWS_EXCEPTION(FileWriteError, AtomicFile::Write(journal, "x"));
}

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
