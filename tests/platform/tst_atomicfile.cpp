#include "platform/AtomicFile.h"
#include "tests/support/ScratchDisk.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
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
    return AtomicFile::Read(file).value_or("<missing>");
}

int EntryCount(const fs::path& folder)
{
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string ExpectedMessage(const fs::path& file)
{
    return fs::absolute(file).lexically_normal().string() + " に書き込めません";
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void createsAndReplaces();
    void keepsPermissionsAndLinks();
    void readOfMissingFileIsNothing();
    void failureLeavesOldFile_data();
    void failureLeavesOldFile();
    void fullDiskLeavesOldFile();
    void readOnlyDiskLeavesOldFile();
    void readOnlyPlacesAreRefused_data();
    void readOnlyPlacesAreRefused();
    void leftoversOfKilledSavesAreRemoved_data();
    void leftoversOfKilledSavesAreRemoved();
    void onlyPlainFilesAreRead_data();
    void onlyPlainFilesAreRead();
};

void TestAtomicFile::createsAndReplaces()
{
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdString()) / "a.ini";
    AtomicFile::Write(file, std::string("first\r\n\0second", 15));
    QCOMPARE(FileContent(file), std::string("first\r\n\0second", 15));
    AtomicFile::Write(file, "");
    QCOMPARE(FileContent(file), std::string());
    QCOMPARE(EntryCount(file.parent_path()), 1);
}

void TestAtomicFile::keepsPermissionsAndLinks()
{
    QTemporaryDir folder;
    const fs::path base(folder.path().toStdString());
    PutFile(base / "real.ini", "old");
    ::chmod((base / "real.ini").c_str(), 0640);
    fs::create_symlink("real.ini", base / "link.ini");

    AtomicFile::Write(base / "link.ini", "new");

    QVERIFY(fs::is_symlink(base / "link.ini"));
    QCOMPARE(FileContent(base / "real.ini"), std::string("new"));
    struct stat status
    {
    };
    QCOMPARE(::stat((base / "real.ini").c_str(), &status), 0);
    QCOMPARE(status.st_mode & 07777, 0640u);
}

void TestAtomicFile::readOfMissingFileIsNothing()
{
    QTemporaryDir folder;
    QVERIFY(!AtomicFile::Read(fs::path(folder.path().toStdString()) / "none.ini").has_value());
}

void TestAtomicFile::failureLeavesOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target is a folder") << QStringLiteral("sub");
    QTest::newRow("folder does not exist") << QStringLiteral("missing/a.ini");
}

void TestAtomicFile::failureLeavesOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir folder;
    const fs::path base(folder.path().toStdString());
    fs::create_directory(base / "sub");
    const fs::path file = base / target.toStdString();
    try {
        AtomicFile::Write(file, "data");
        QFAIL("the write was reported as done");
    } catch (const FileWriteError& error) {
        QCOMPARE(std::string(error.what()), ExpectedMessage(file));
    }
    QVERIFY(fs::is_directory(base / "sub"));
    QCOMPARE(EntryCount(base), 1);
}

void TestAtomicFile::fullDiskLeavesOldFile()
{
    ScratchDisk disk;
    if (!disk.available()) {
        QSKIP("cannot mount a small disk here");
    }
    const fs::path file = fs::path(disk.path()) / "mivo_Kangaroo.ini";
    PutFile(file, "[s]\r\nk=old\r\n");
    // Leave less room than the new content needs.
    std::ofstream filler(fs::path(disk.path()) / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
    filler.close();

    QVERIFY_THROWS_EXCEPTION(FileWriteError, AtomicFile::Write(file, std::string(256 * 1024, 'y')));
    QCOMPARE(FileContent(file), std::string("[s]\r\nk=old\r\n"));
    QCOMPARE(EntryCount(disk.path()), 2);
}

void TestAtomicFile::readOnlyDiskLeavesOldFile()
{
    ScratchDisk disk;
    if (!disk.available()) {
        QSKIP("cannot mount a small disk here");
    }
    const fs::path file = fs::path(disk.path()) / "my0.txt";
    PutFile(file, "old\r\n");
    QVERIFY(disk.makeReadOnly());
    try {
        AtomicFile::Write(file, "new\r\n");
        QFAIL("the write was reported as done");
    } catch (const FileWriteError& error) {
        QCOMPARE(std::string(error.what()), ExpectedMessage(file));
    }
    QCOMPARE(FileContent(file), std::string("old\r\n"));
}

void TestAtomicFile::readOnlyPlacesAreRefused_data()
{
    QTest::addColumn<bool>("folderReadOnly");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("read-only file") << false;
}

void TestAtomicFile::readOnlyPlacesAreRefused()
{
    QFETCH(bool, folderReadOnly);
    if (::geteuid() == 0) {
        QSKIP("permissions do not bind the super-user");
    }
    QTemporaryDir folder;
    const fs::path base(folder.path().toStdString());
    const fs::path file = base / "mivo_a500.ini";
    PutFile(file, "old");
    ::chmod(folderReadOnly ? base.c_str() : file.c_str(), folderReadOnly ? 0555 : 0444);
    QVERIFY_THROWS_EXCEPTION(FileWriteError, AtomicFile::Write(file, "new"));
    ::chmod(base.c_str(), 0755);
    QCOMPARE(FileContent(file), std::string("old"));
    QCOMPARE(EntryCount(base), 1);
}

void TestAtomicFile::leftoversOfKilledSavesAreRemoved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // file, folder, link, locked
    QTest::addColumn<bool>("removed");
    QTest::newRow("left by a killed save") << ".a.ini.mivo-Ab12Cd"
                                           << "file" << true;
    QTest::newRow("of a save still running") << ".a.ini.mivo-Ab12Cd"
                                             << "locked" << false;
    QTest::newRow("folder of that name") << ".a.ini.mivo-Ab12Cd"
                                         << "folder" << false;
    QTest::newRow("link of that name") << ".a.ini.mivo-Ab12Cd"
                                       << "link" << false;
    QTest::newRow("another file's") << ".b.ini.mivo-Ab12Cd"
                                    << "file" << false;
    QTest::newRow("not hidden") << "a.ini.mivo-Ab12Cd"
                                << "file" << false;
    QTest::newRow("five random characters") << ".a.ini.mivo-Ab12C"
                                            << "file" << false;
    QTest::newRow("seven random characters") << ".a.ini.mivo-Ab12Cde"
                                             << "file" << false;
    QTest::newRow("not alphanumeric") << ".a.ini.mivo-Ab-2Cd"
                                      << "file" << false;
    QTest::newRow("someone's backup") << ".a.ini.backup"
                                      << "file" << false;
    QTest::newRow("without the program's mark") << ".a.ini.Ab12Cd"
                                                << "file" << false;
}

void TestAtomicFile::leftoversOfKilledSavesAreRemoved()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    const fs::path base(folder.path().toStdString());
    const fs::path candidate = base / name.toStdString();
    PutFile(base / "elsewhere", "keep");
    int lock = -1;
    if (kind == "folder") {
        fs::create_directory(candidate);
    } else if (kind == "link") {
        fs::create_symlink(base / "elsewhere", candidate);
    } else {
        PutFile(candidate, "[s]\r\nname=address\r\n");
    }
    if (kind == "locked") {
        lock = ::open(candidate.c_str(), O_RDONLY);
        QVERIFY(::flock(lock, LOCK_EX) == 0);
    }

    AtomicFile::Write(base / "a.ini", "new");

    if (lock >= 0) {
        ::close(lock);
    }
    QCOMPARE(!fs::exists(fs::symlink_status(candidate)), removed);
    QCOMPARE(FileContent(base / "elsewhere"), std::string("keep"));
    QCOMPARE(FileContent(base / "a.ini"), std::string("new"));
    QCOMPARE(EntryCount(base), removed ? 2 : 3);
}

void TestAtomicFile::onlyPlainFilesAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("folder") << "folder";
    QTest::newRow("link to an endless device") << "device";
}

void TestAtomicFile::onlyPlainFilesAreRead()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const fs::path file = fs::path(folder.path().toStdString()) / "mivo_Kangaroo.ini";
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
    } else if (kind == "folder") {
        fs::create_directory(file);
    } else {
        fs::create_symlink("/dev/zero", file);
    }
    // A FIFO opened for reading in the ordinary way would wait here for a writer forever.
    try {
        AtomicFile::Read(file);
        QFAIL("read as a file");
    } catch (const std::runtime_error& error) {
        QCOMPARE(std::string(error.what()), file.string() + " は通常のファイルではありません");
    }
    QVERIFY_THROWS_EXCEPTION(FileWriteError, AtomicFile::Write(file, "new"));
    QCOMPARE(EntryCount(file.parent_path()), 1);
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
