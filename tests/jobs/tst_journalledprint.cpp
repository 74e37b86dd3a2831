#include "jobs/JournalledPrint.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"
#include "printers/TPrinterAccess.h"
#include "tests/support/FakePrinterService.h"

#include <QTemporaryDir>
#include <QTest>

// A job's entries exist before the printer has it, and tell afterwards how the job ended.
namespace {

// Looks into the journal at the moment the job is handed over, and may refuse it.
class HandOverWatch : public FakePrinterService
{
public:
    HandOverWatch(std::vector<Printer> system, std::filesystem::path journal, bool refuse)
        : FakePrinterService(std::move(system)), m_journal(std::move(journal)), m_refuse(refuse)
    {}

    void endDoc() override
    {
        for (const journal::JournalEntry& entry : journal::OpenShared(m_journal)->search({})) {
            statusesAtHandOver.push_back(entry.status);
        }
        if (m_refuse) {
            throw std::runtime_error("the printer refused the job");
        }
        FakePrinterService::endDoc();
    }

    std::vector<journal::JobStatus> statusesAtHandOver;

private:
    std::filesystem::path m_journal;
    bool m_refuse;
};

} // namespace

class TestJournalledPrint : public QObject
{
    Q_OBJECT

private slots:
    void entriesAreWrittenBeforeTheHandOver_data();
    void entriesAreWrittenBeforeTheHandOver();
};

void TestJournalledPrint::entriesAreWrittenBeforeTheHandOver_data()
{
    QTest::addColumn<int>("slips"); // 0: a single slip job
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("ended");
    QTest::newRow("one slip printed") << 0 << false << int(journal::JobStatus::Printed);
    QTest::newRow("one slip refused") << 0 << true << int(journal::JobStatus::Failed);
    QTest::newRow("batch of three printed") << 3 << false << int(journal::JobStatus::Printed);
    QTest::newRow("batch of three refused") << 3 << true << int(journal::JobStatus::Failed);
}

void TestJournalledPrint::entriesAreWrittenBeforeTheHandOver()
{
    QFETCH(int, slips);
    QFETCH(bool, refused);
    QFETCH(int, ended);
    QTemporaryDir dir;
    const std::filesystem::path file = journal::Journal::In(dir.path().toStdString());
    FakePrinterService::Printer device;
    device.name = "slips";
    auto service = std::make_unique<HandOverWatch>(std::vector{device}, file, refused);
    HandOverWatch& watch = *service;
    TPrinterAccess printer(std::move(service));
    Slip slip;
    slip.recipient.name = "西濃太郎";
    bool thrown = false;
    try {
        if (slips == 0) {
            journalprint::PrintAndRecord(printer, file, slip, {}, {"手差し", "A-1", 0, {}},
                                         [&] { printer.Canvas().textOut(0, 0, "x"); });
        } else {
            const std::vector<journalprint::BatchPage> pages(static_cast<std::size_t>(slips), {slip, {}, "A-1"});
            journalprint::PrintBatchAndRecord(printer, file, pages, "手差し", [&] {
                printer.BeginDoc("batch");
                printer.EndDoc();
            });
        }
    } catch (const std::exception&) {
        thrown = true;
    }
    QCOMPARE(thrown, refused);
    const std::size_t count = slips == 0 ? 1 : static_cast<std::size_t>(slips);
    QCOMPARE(watch.statusesAtHandOver, std::vector<journal::JobStatus>(count, journal::JobStatus::Sending));
    const std::vector<journal::JournalEntry> entries = journal::OpenShared(file)->search({});
    QCOMPARE(entries.size(), count);
    for (const journal::JournalEntry& entry : entries) {
        QCOMPARE(int(entry.status), ended);
        QCOMPARE(entry.orderNumber, std::string("A-1"));
    }
}

QTEST_GUILESS_MAIN(TestJournalledPrint)
#include "tst_journalledprint.moc"
