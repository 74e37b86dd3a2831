#include "batch/BatchSlip.h"
#include "jobs/BatchClaims.h"
#include "jobs/JournalSlipCheck.h"
#include "jobs/JournalledPrint.h"
#include "journal/Journal.h"
#include "printers/TPrinterAccess.h"
#include "tests/support/FakePrinterService.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A batch against the journal of a folder that another station shares: what the list says of
// an order, which slips a job leaves out, and the claim of a job that did not print.
namespace {

const char* const kThere = "梱包2";

batch::BatchSlip slip(const std::string& order, const std::string& name)
{
    batch::BatchSlip s;
    s.order = order;
    s.recipient = {"503-0001", "岐阜県大垣市林町", "", name, "0584-11-2222"};
    return s;
}

journal::JournalEntry entryOf(const batch::BatchSlip& s, journal::JobStatus status)
{
    journal::JournalEntry entry;
    entry.status = status;
    entry.orderNumber = s.order;
    entry.slip.recipient = s.recipient;
    return entry;
}

// What happened to an order before the list is read or the job begins.
enum class Done
{
    Nothing,
    PrintedHere,
    PrintedThere,
    ClaimedThere,
    CutOffHere, // left "sending" by a process of this station that is gone
    FailedThere,
};

void prepare(const std::filesystem::path& file, const batch::BatchSlip& s, Done done)
{
    journal::Journal journal(file);
    if (done == Done::PrintedThere || done == Done::ClaimedThere || done == Done::FailedThere) {
        journal.setStation(kThere);
    }
    switch (done) {
    case Done::Nothing:
        break;
    case Done::PrintedHere:
    case Done::PrintedThere:
        journal.recordJob(entryOf(s, journal::JobStatus::Printed));
        break;
    case Done::ClaimedThere:
        journal.claimOrders({{s.order, s.recipient, false}});
        break;
    case Done::CutOffHere:
        journal.recordJob(entryOf(s, journal::JobStatus::Sending));
        break;
    case Done::FailedThere:
        journal.recordJob(entryOf(s, journal::JobStatus::Failed));
        break;
    }
}

} // namespace

class TestBatchClaims : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listMarksWhatWentOutAndWhere_data();
    void listMarksWhatWentOutAndWhere();
    void jobLeavesOutWhatAnotherStationHolds_data();
    void jobLeavesOutWhatAnotherStationHolds();
    void claimOfARefusedJobIsGivenUp_data();
    void claimOfARefusedJobIsGivenUp();

private:
    std::filesystem::path journalFile() const { return journal::Journal::In(m_folder->path().toStdString()); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestBatchClaims::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestBatchClaims::listMarksWhatWentOutAndWhere_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<QString>("warning"); // empty: no mark
    QTest::newRow("nothing") << int(Done::Nothing) << QString();
    QTest::newRow("printed here") << int(Done::PrintedHere) << QStringLiteral("印刷済みの注文です");
    QTest::newRow("printed there") << int(Done::PrintedThere) << QStringLiteral("他の端末で印刷済み（梱包2）");
    QTest::newRow("claimed there, printing")
        << int(Done::ClaimedThere) << QStringLiteral("他の端末で印刷済み（梱包2）");
    QTest::newRow("cut off here") << int(Done::CutOffHere) << QStringLiteral("印刷済みか不明");
    QTest::newRow("failed there") << int(Done::FailedThere) << QString();
}

void TestBatchClaims::listMarksWhatWentOutAndWhere()
{
    QFETCH(int, done);
    QFETCH(QString, warning);
    batch::BatchSlip s = slip("A-1", "西濃太郎");
    prepare(journalFile(), s, static_cast<Done>(done));
    const JournalSlipCheck check(journalFile());
    const std::vector<std::string> warnings = check.check(s);
    QCOMPARE(warnings.empty() ? QString() : QString::fromStdString(warnings.front()), warning);
    s.warnings = warnings;
    // Marked slips stay unticked in the list and out of a plain batch.
    QCOMPARE(JournalSlipCheck::Marked(s), !warning.isEmpty());
}

void TestBatchClaims::jobLeavesOutWhatAnotherStationHolds_data()
{
    QTest::addColumn<int>("done");           // to the second slip's order
    QTest::addColumn<bool>("printAnyway");   // the second slip
    QTest::addColumn<QList<int>>("printed"); // slip indexes left to print
    QTest::addColumn<QString>("leftOutBy");
    QTest::newRow("claimed there") << int(Done::ClaimedThere) << false << QList<int>{3, 0} << QString(kThere);
    QTest::newRow("claimed there, ticked") << int(Done::ClaimedThere) << true << QList<int>{3, 0, 1} << QString();
}

void TestBatchClaims::jobLeavesOutWhatAnotherStationHolds()
{
    QFETCH(int, done);
    QFETCH(bool, printAnyway);
    QFETCH(QList<int>, printed);
    QFETCH(QString, leftOutBy);
    // Slip 2 is not chosen; the others in an order of the caller's own.
    const std::vector<batch::BatchSlip> slips{slip("A-1", "西濃太郎"), slip("A-2", "山田花子"), slip("A-3", "鈴木"),
                                              slip("", "佐藤")};
    prepare(journalFile(), slips[1], static_cast<Done>(done));
    const BatchClaim claim =
        ClaimSlips(journalFile(), slips, {3, 0, 1}, [&](std::size_t i) { return printAnyway && i == 1; });
    QCOMPARE(claim.journalError, std::string());
    QCOMPARE(QList<int>(claim.chosen.begin(), claim.chosen.end()), printed);
    QCOMPARE(claim.leftOut.size(), std::size_t(leftOutBy.isEmpty() ? 0 : 1));
    if (!leftOutBy.isEmpty()) {
        QCOMPARE(claim.leftOut[0].slip, std::size_t(1));
        QCOMPARE(QString::fromStdString(claim.leftOut[0].station), leftOutBy);
    }
}

void TestBatchClaims::claimOfARefusedJobIsGivenUp_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("damagedJournal");
    QTest::newRow("printed: the claim stays") << false << false;
    QTest::newRow("refused: the claim is given up") << true << false;
    // The journal never stops a slip: nothing is claimed, every slip prints.
    QTest::newRow("damaged journal") << false << true;
}

void TestBatchClaims::claimOfARefusedJobIsGivenUp()
{
    QFETCH(bool, refused);
    QFETCH(bool, damagedJournal);
    const std::vector<batch::BatchSlip> slips{slip("A-1", "西濃太郎")};
    if (damagedJournal) {
        QFile file(QString::fromStdString(journalFile().string()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    const BatchClaim claim = ClaimSlips(journalFile(), slips, {0}, {});
    QCOMPARE(claim.chosen, std::vector<std::size_t>{0});
    QCOMPARE(claim.journalError.empty(), !damagedJournal);
    if (damagedJournal) {
        return;
    }
    FakePrinterService::Printer device;
    device.name = "slips";
    TPrinterAccess printer(std::make_unique<FakePrinterService>(std::vector{device}));
    const std::vector<journalprint::BatchPage> pages{{{}, {}, "A-1"}};
    try {
        journalprint::PrintBatchAndRecord(
            printer, journalFile(), pages, "手差し",
            [&] {
                if (refused) {
                    throw std::runtime_error("the printer refused the job");
                }
            },
            claim.claim);
    } catch (const std::runtime_error&) {
        QVERIFY(refused);
    }
    journal::Journal there(journalFile());
    there.setStation(kThere);
    const journal::ClaimOutcome again = there.claimOrders({{"A-1", slips[0].recipient, false}});
    QCOMPARE(again.taken.empty(), refused);
}

QTEST_GUILESS_MAIN(TestBatchClaims)
#include "tst_batchclaims.moc"
