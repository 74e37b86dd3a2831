#include "batch/BatchSlip.h"
#include "jobs/BatchClaims.h"
#include "jobs/JournalledPrint.h"
#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "journal/Outbox.h"
#include "journal/ServerBackoff.h"
#include "journal/SharedJournal.h"
#include "tests/support/SampleSlip.h"
#include "tests/support/ScratchDatabase.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

// Slips printed while the journal server is away lose no entry: they wait in the folder's own
// file and reach the server once, in order, when it answers again.
using journal::Journal;

namespace {

const char* const kNobodyListening = "postgresql://mivo@127.0.0.1:1/mivo";

void chooseServer(const std::string& uri)
{
    qputenv(journal::kServerVariable, QByteArray::fromStdString(uri));
}

std::vector<journalprint::BatchPage> pages(int count, const std::string& prefix)
{
    std::vector<journalprint::BatchPage> batch;
    for (int i = 1; i <= count; ++i) {
        Slip slip = SampleSlip();
        slip.recipient.name = prefix + "様" + std::to_string(i);
        batch.push_back({slip, {}, prefix + "-" + std::to_string(i)});
    }
    return batch;
}

// A direct job on a device that takes it, or refuses it.
journalprint::Outcome send(const std::filesystem::path& file, const std::vector<journalprint::BatchPage>& batch,
                           bool refused, const std::function<void()>& duringHandOver = {})
{
    try {
        return journalprint::SendAndRecord(
            file, batch, "slips", {"手差し", {}, 0, {}}, [] { return std::string("stream"); },
            [&](const std::string&) {
                if (duringHandOver) {
                    duringHandOver();
                }
                if (refused) {
                    throw std::runtime_error("the printer refused the job");
                }
                return 0;
            });
    } catch (const std::runtime_error&) {
        return {};
    }
}

int pending(const std::filesystem::path& file)
{
    return static_cast<int>(journal::PendingCount(file));
}

QString countOn(ScratchDatabase& db, const QString& where)
{
    return db.query(QStringLiteral("SELECT count(*) FROM jobs WHERE ") + where);
}

QString dropConnections(ScratchDatabase& db)
{
    return db.query(QStringLiteral("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity"
                                   " WHERE datname = current_database() AND pid <> pg_backend_pid()"));
}

} // namespace

class TestJournalOutbox : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void keptWhileAwaySentOnce_data();
    void keptWhileAwaySentOnce();
    void awayServerIsNotAskedForEachJob();
    void droppedConnection_data();
    void droppedConnection();
    void uploadSkipsEntriesOnTheServer_data();
    void uploadSkipsEntriesOnTheServer();
    void slipsPrintedWhileAwayAreHeldOnceSent();
};

void TestJournalOutbox::cleanup()
{
    qunsetenv(journal::kServerVariable);
}

void TestJournalOutbox::keptWhileAwaySentOnce_data()
{
    QTest::addColumn<int>("slips");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("status");
    QTest::newRow("one slip printed") << 1 << false << "printed";
    QTest::newRow("batch of three printed") << 3 << false << "printed";
    QTest::newRow("batch refused by the printer") << 2 << true << "failed";
}

void TestJournalOutbox::keptWhileAwaySentOnce()
{
    QFETCH(int, slips);
    QFETCH(bool, refused);
    QFETCH(QString, status);
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir dir;
    const std::filesystem::path file = Journal::In(dir.path().toStdString());
    chooseServer(kNobodyListening);
    const journalprint::Outcome first = send(file, pages(slips, "A"), refused);
    const journalprint::Outcome second = send(file, pages(1, "B"), false);
    QCOMPARE(second.journalError, std::string());
    // Numbers of the folder's file would name other entries on the server.
    QVERIFY(first.entryIds.empty() && second.entryIds.empty());
    QCOMPARE(pending(file), slips + 1);
    const auto local = journal::OpenSharedFile(file, Journal::Access::ReadOnly);
    const std::vector<journal::JournalEntry> kept = local->keptForServer();
    QCOMPARE(kept.front().orderNumber, std::string("A-1"));
    QCOMPARE(kept.back().orderNumber, std::string("B-1"));
    QCOMPARE(QString::fromLatin1(journal::StatusName(kept.front().status)), status);
    QVERIFY(!kept.front().uuid.empty());

    chooseServer(db.uri());
    const journal::UploadCount sent = journal::SendKept(file);
    QCOMPARE(int(sent.uploaded), slips + 1);
    QCOMPARE(pending(file), 0);
    QCOMPARE(int(journal::SendKept(file).uploaded), 0);
    QCOMPARE(countOn(db, QStringLiteral("TRUE")), QString::number(slips + 1));
    QCOMPARE(countOn(db, QStringLiteral("status = '%1' AND order_number LIKE 'A-%'").arg(status)),
             QString::number(slips));
    QCOMPARE(countOn(db, QStringLiteral("entry_uuid = '%1'").arg(QString::fromStdString(kept.front().uuid))),
             QStringLiteral("1"));
    // Sent oldest first, and found by the server's search.
    QCOMPARE(db.query(QStringLiteral("SELECT order_number FROM jobs ORDER BY id DESC LIMIT 1")), QStringLiteral("B-1"));
    journal::JournalQuery byName;
    byName.text = "B様1";
    QCOMPARE(journal::OpenShared(file)->search(byName).size(), std::size_t{1});
}

void TestJournalOutbox::awayServerIsNotAskedForEachJob()
{
    const journal::ServerAddress away = journal::ParseServerUri(kNobodyListening);
    journal::backoff::Answered(away.name);
    QVERIFY_THROWS_EXCEPTION(journal::ServerUnreachable, Journal{away});
    QVERIFY(journal::backoff::Away(away.name));
    try {
        Journal again(away);
        QFAIL("the journal opened");
    } catch (const journal::ServerUnreachable& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(QLatin1String("a moment ago")), error.what());
    }
}

void TestJournalOutbox::droppedConnection_data()
{
    QTest::addColumn<bool>("serverTakesItBack");
    QTest::addColumn<int>("pendingAfterJob");
    QTest::newRow("connects again and completes on the server") << true << 0;
    QTest::newRow("cannot connect again: kept, completed by the resend") << false << 2;
}

void TestJournalOutbox::droppedConnection()
{
    QFETCH(bool, serverTakesItBack);
    QFETCH(int, pendingAfterJob);
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir dir;
    const std::filesystem::path file = Journal::In(dir.path().toStdString());
    chooseServer(db.uri());
    const std::string server = journal::ParseServerUri(db.uri()).name;
    const journalprint::Outcome outcome = send(file, pages(2, "C"), false, [&] {
        QCOMPARE(countOn(db, QStringLiteral("status = 'sending'")), QStringLiteral("2"));
        if (!serverTakesItBack) {
            // Another job just found it away.
            journal::backoff::Failed(server);
        }
        QCOMPARE(dropConnections(db), QStringLiteral("1"));
    });
    QCOMPARE(outcome.journalError, std::string());
    QCOMPARE(pending(file), pendingAfterJob);

    journal::backoff::Answered(server);
    QCOMPARE(int(journal::SendKept(file).uploaded), pendingAfterJob);
    QCOMPARE(pending(file), 0);
    QCOMPARE(countOn(db, QStringLiteral("status = 'printed' AND sending_process = ''")), QStringLiteral("2"));
    QCOMPARE(countOn(db, QStringLiteral("TRUE")), QStringLiteral("2"));
    // The job's ids name its entries on the server, wherever they waited.
    QCOMPARE(outcome.entryIds.size(), std::size_t{2});
    QCOMPARE(db.query(QStringLiteral("SELECT id FROM jobs WHERE order_number = 'C-1'")),
             QString::number(outcome.entryIds.front()));
}

void TestJournalOutbox::uploadSkipsEntriesOnTheServer_data()
{
    QTest::addColumn<QString>("onServer"); // how the server holds the first entry before the upload
    QTest::addColumn<int>("uploaded");
    QTest::addColumn<int>("alreadyThere");
    QTest::addColumn<QString>("firstStatus");
    QTest::newRow("nothing there") << "" << 3 << 0 << "printed";
    QTest::newRow("first already there") << "printed" << 2 << 1 << "printed";
    QTest::newRow("first still sending there") << "sending" << 3 << 0 << "printed";
    QTest::newRow("first failed there keeps its ending") << "failed" << 2 << 1 << "failed";
}

void TestJournalOutbox::uploadSkipsEntriesOnTheServer()
{
    QFETCH(QString, onServer);
    QFETCH(int, uploaded);
    QFETCH(int, alreadyThere);
    QFETCH(QString, firstStatus);
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir dir;
    const std::filesystem::path file = Journal::In(dir.path().toStdString());
    std::vector<journal::JournalEntry> entries;
    {
        Journal local(file);
        std::vector<journal::JournalEntry> written(3);
        for (std::size_t i = 0; i < written.size(); ++i) {
            written[i].slip = SampleSlip();
            written[i].orderNumber = "D-" + std::to_string(i + 1);
        }
        written[2].reprintOf = 1; // D-3 reprints D-1, by the file's numbering
        const std::vector<std::int64_t> ids = local.recordJobs(written);
        local.setTrackingNumbers({{ids[1], "1234-5678-9012"}});
        local.markExported({ids[1]}, "rakuten");
        entries = local.search({});
    }
    {
        // Numbers the server's entries apart from the file's.
        Journal server(journal::ParseServerUri(db.uri()));
        journal::JournalEntry another;
        another.uuid = "another-station-entry";
        server.copyIn(another);
    }
    if (!onServer.isEmpty()) {
        Journal server(journal::ParseServerUri(db.uri()));
        journal::JournalEntry first = entries.back();
        first.status = *journal::StatusFromName(onServer.toStdString());
        server.copyIn(first);
    }
    chooseServer(db.uri());
    const journal::UploadCount count = journal::UploadFile(file);
    QCOMPARE(int(count.uploaded), uploaded);
    QCOMPARE(int(count.alreadyThere), alreadyThere);
    QCOMPARE(int(journal::UploadFile(file).alreadyThere), 3);
    QCOMPARE(countOn(db, QStringLiteral("order_number LIKE 'D-%'")), QStringLiteral("3"));
    QCOMPARE(db.query(QStringLiteral("SELECT status FROM jobs WHERE order_number = 'D-1'")), firstStatus);
    QCOMPARE(db.query(QStringLiteral("SELECT reprint_of FROM jobs WHERE order_number = 'D-3'")),
             db.query(QStringLiteral("SELECT id FROM jobs WHERE order_number = 'D-1'")));
    QCOMPARE(db.query(QStringLiteral("SELECT tracking_number FROM jobs WHERE order_number = 'D-2'")),
             QStringLiteral("1234-5678-9012"));
    QCOMPARE(db.query(QStringLiteral("SELECT platform FROM exports JOIN jobs ON id = job_id")),
             QStringLiteral("rakuten"));
}

QTEST_GUILESS_MAIN(TestJournalOutbox)
#include "tst_journaloutbox.moc"

// A batch printed while the server was away could claim nothing; once its entries reached the
// server, another station's batch of the same orders leaves them out.
void TestJournalOutbox::slipsPrintedWhileAwayAreHeldOnceSent()
{
    ScratchDatabase db;
    if (!db.available()) {
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");
    }
    QTemporaryDir here;
    QTemporaryDir there;
    const std::filesystem::path file = Journal::In(here.path().toStdString());
    const std::vector<journalprint::BatchPage> batch = pages(2, "A");
    std::vector<batch::BatchSlip> slips;
    for (const journalprint::BatchPage& page : batch) {
        batch::BatchSlip slip;
        slip.order = page.orderNumber;
        slip.recipient = page.slip.recipient;
        slips.push_back(slip);
    }
    chooseServer(kNobodyListening);
    const BatchClaim away = ClaimSlips(file, slips, {0, 1}, {});
    QCOMPARE(away.chosen, (std::vector<std::size_t>{0, 1}));
    QVERIFY(!away.journalError.empty());
    send(file, batch, false);
    QCOMPARE(pending(file), 2);

    chooseServer(db.uri());
    journal::SendKept(file);
    QCOMPARE(pending(file), 0);
    QFile choice(QString::fromStdString(journal::ChoiceFile(there.path().toStdString()).string()));
    QVERIFY(choice.open(QIODevice::WriteOnly));
    choice.write("[Journal]\r\nStation=pack2\r\n");
    choice.close();
    const std::filesystem::path otherFile = Journal::In(there.path().toStdString());
    const BatchClaim later = ClaimSlips(otherFile, slips, {0, 1}, {});
    QVERIFY(later.chosen.empty());
    QCOMPARE(later.leftOut.size(), std::size_t(2));
    QCOMPARE(later.leftOut.front().station, QSysInfo::machineHostName().toStdString());
}
