#include "journal/Journal.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// A journal file that is damaged, foreign or out of reach is refused and left exactly as it is.
using journal::Journal;
using journal::JournalError;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void runSql(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            QVERIFY2(query.exec(statement), qPrintable(statement));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

// A journal with a few entries, closed so that everything is in the main file.
QByteArray realJournal(const QString& path)
{
    {
        Journal journal(path.toStdString());
        for (int i = 0; i < 50; ++i) {
            journal::JournalEntry entry;
            entry.slip.recipient.name = "西濃太郎" + std::to_string(i);
            entry.slip.recipient.address1 = std::string(300, 'a');
            journal.recordJob(entry);
        }
    }
    return readAll(path);
}

} // namespace

class TestJournalFile : public QObject
{
    Q_OBJECT

private slots:
    void unusableFileIsRefusedAndUntouched_data();
    void unusableFileIsRefusedAndUntouched();
    void emptyFileBecomesAJournal();
    void unwritableFolderIsReported();
    void readingNeverCreatesAJournal();
};

void TestJournalFile::unusableFileIsRefusedAndUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("database header followed by garbage") << "magic";
    QTest::newRow("another program's database") << "foreign";
    QTest::newRow("journal of a newer version") << "newer";
    QTest::newRow("journal cut short") << "truncated";
}

void TestJournalFile::unusableFileIsRefusedAndUntouched()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(Journal::kFileName));
    if (kind == "text") {
        writeAll(path, "this is not a database\r\n西濃\n");
    } else if (kind == "magic") {
        writeAll(path, QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\xA5'));
    } else if (kind == "foreign") {
        runSql(path, {"CREATE TABLE addresses (name TEXT)", "INSERT INTO addresses VALUES ('x')"});
    } else if (kind == "newer") {
        realJournal(path);
        runSql(path, {"UPDATE meta SET value = '99' WHERE key = 'version'", "PRAGMA journal_mode = DELETE"});
    } else {
        const QByteArray whole = realJournal(path);
        writeAll(path, whole.left(whole.size() / 2));
    }
    const QByteArray before = readAll(path);
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);

    bool refused = false;
    try {
        Journal journal(path.toStdString());
        journal::JournalEntry entry;
        journal.recordJob(entry);
        journal.search({});
    } catch (const JournalError& error) {
        refused = true;
        QVERIFY2(QString::fromUtf8(error.what()).contains(path), error.what());
    }
    QVERIFY(refused);
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

void TestJournalFile::emptyFileBecomesAJournal()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(Journal::kFileName));
    writeAll(path, {});
    Journal journal(path.toStdString());
    journal.recordJob({});
    QCOMPARE(journal.count(), 1);
}

void TestJournalFile::unwritableFolderIsReported()
{
    // A folder nobody may create files in, the superuser included.
    const std::filesystem::path path = Journal::In("/proc/self");
    QVERIFY_THROWS_EXCEPTION(JournalError, [&] {
        Journal journal(path);
        journal.recordJob({});
    }());
    QVERIFY(!std::filesystem::exists(path));
}

void TestJournalFile::readingNeverCreatesAJournal()
{
    QTemporaryDir folder;
    const std::filesystem::path path = Journal::In(folder.path().toStdString());
    QVERIFY_THROWS_EXCEPTION(JournalError, Journal(path, Journal::Access::ReadOnly));
    QVERIFY(!std::filesystem::exists(path));
}

QTEST_GUILESS_MAIN(TestJournalFile)
#include "tst_journalfile.moc"
