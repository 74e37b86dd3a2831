#include "AtomicFile.h"
#include "ScratchDisk.h"

#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
