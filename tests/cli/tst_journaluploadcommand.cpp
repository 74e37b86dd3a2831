#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/SampleSlip.h"
#include "tests/support/ScratchDatabase.h"

#include <QTemporaryDir>
#include <QTest>

// `journal-upload` copies the folder's journal file to the chosen server, and says why not
// when it cannot.
namespace {

ProgramRun upload(const QTemporaryDir& folder, const std::string& server)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QString::fromLatin1(journal::kServerVariable));
    if (!server.empty()) {
        environment.insert(QString::fromLatin1(journal::kServerVariable), QString::fromStdString(server));
    }
    return RunProgram({QStringLiteral("journal-upload")}, folder.path(), {}, environment);
}

void writeJournal(const QTemporaryDir& folder, int entries)
{
    journal::Journal local(journal::Journal::In(folder.path().toStdString()));
    std::vector<journal::JournalEntry> written(static_cast<std::size_t>(entries));
    for (journal::JournalEntry& entry : written) {
        entry.slip = SampleSlip();
    }
    local.recordJobs(written);
}

} // namespace

class TestJournalUploadCommand : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void uploadsOnce();
};

void TestJournalUploadCommand::refusals_data()
{
    QTest::addColumn<QString>("server"); // "scratch": the private server's scratch database
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QString>("named");
    QTest::newRow("no server chosen") << "" << true << "no journal server is chosen";
    QTest::newRow("server does not answer") << "postgresql://mivo@127.0.0.1:1/mivo" << true << "127.0.0.1:1";
    QTest::newRow("no journal file") << "scratch" << false << "no journal in this folder";
}

void TestJournalUploadCommand::refusals()
{
    QFETCH(QString, server);
    QFETCH(bool, hasFile);
    QFETCH(QString, named);
    ScratchDatabase db;
    if (server == QLatin1String("scratch") && !db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir folder;
    if (hasFile) {
        writeJournal(folder, 1);
    }
    const ProgramRun run = upload(folder, server == QLatin1String("scratch") ? db.uri() : server.toStdString());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errText().contains(named), qPrintable(run.errText()));
}

void TestJournalUploadCommand::uploadsOnce()
{
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir folder;
    writeJournal(folder, 2);
    const ProgramRun first = upload(folder, db.uri());
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out, QByteArray("2 entries uploaded, 0 already on the server\n"));
    const ProgramRun second = upload(folder, db.uri());
    QCOMPARE(second.out, QByteArray("0 entries uploaded, 2 already on the server\n"));
    QCOMPARE(db.query(QStringLiteral("SELECT count(*) FROM jobs")), QStringLiteral("2"));
}

QTEST_GUILESS_MAIN(TestJournalUploadCommand)
#include "tst_journaluploadcommand.moc"
