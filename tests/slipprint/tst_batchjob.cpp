#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "tests/support/FakePrinterService.h"

#include <QTest>

// Many slips as one job: a page each, and nothing printed when any of them fails.
class TestBatchJob : public QObject
{
    Q_OBJECT

private slots:
    void oneJobOrNothing_data();
    void oneJobOrNothing();
};

void TestBatchJob::oneJobOrNothing_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("failAt");   // -1: every slip draws
    QTest::addColumn<int>("cancelAt"); // -1: never cancelled; else after this many pages
    QTest::addColumn<bool>("ended");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("stoppedAt"); // -1: no error
    QTest::newRow("three slips, three pages") << 3 << -1 << -1 << true << 3 << -1;
    QTest::newRow("one slip, one page") << 1 << -1 << -1 << true << 1 << -1;
    QTest::newRow("second slip fails: job aborted") << 3 << 1 << -1 << false << 2 << 1;
    QTest::newRow("first slip fails") << 3 << 0 << -1 << false << 1 << 0;
    QTest::newRow("cancelled after two pages") << 4 << -1 << 2 << false << 2 << 2;
}

void TestBatchJob::oneJobOrNothing()
{
    QFETCH(int, count);
    QFETCH(int, failAt);
    QFETCH(int, cancelAt);
    QFETCH(bool, ended);
    QFETCH(int, pages);
    QFETCH(int, stoppedAt);
    FakePrinterService::Printer device;
    device.name = "slips";
    auto service = std::make_unique<FakePrinterService>(std::vector{device});
    FakePrinterService& fake = *service;
    TPrinterAccess printer(std::move(service));
    int errorAt = -1;
    try {
        printcommand::PrintBatchJob(
            printer, static_cast<std::size_t>(count),
            [&](std::size_t i) {
                if (static_cast<int>(i) == failAt) {
                    throw std::runtime_error("'x' is not a valid integer value");
                }
                printer.Canvas().textOut(0, 0, std::to_string(i));
            },
            [&](std::size_t done) { return static_cast<int>(done) != cancelAt; });
    } catch (const printcommand::BatchJobError& error) {
        errorAt = static_cast<int>(error.stoppedAt());
    }
    QCOMPARE(fake.jobs.size(), std::size_t{1});
    QCOMPARE(fake.jobs.front().title, std::string("mivo_Kangaroo  "));
    QCOMPARE(fake.jobs.front().ended, ended);
    QCOMPARE(fake.jobs.front().aborted, !ended);
    QCOMPARE(fake.jobs.front().pages, pages);
    QCOMPARE(errorAt, stoppedAt);
}

QTEST_GUILESS_MAIN(TestBatchJob)
#include "tst_batchjob.moc"
