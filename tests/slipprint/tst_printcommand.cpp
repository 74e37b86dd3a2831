#include "printers/EPrinterAccess.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PrintCommand.h"
#include "tests/support/FakePrinterService.h"

#include <QTest>

namespace {

FakePrinterService::Printer printerWith(Resolution resolution, std::uint32_t fields, std::uint16_t scale)
{
    FakePrinterService::Printer printer;
    printer.name = "Dot 24";
    printer.resolution = resolution;
    printer.defaults.dmFields = fields;
    printer.defaults.dmScale = scale;
    printer.settings = printer.defaults;
    return printer;
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void effectiveResolution_data();
    void effectiveResolution();
    void jobCarriesTheTitleAndEnds();
    void drawingErrorAbortsTheJob();
    void noPrinterOpensNoJob();
};

void TestPrintCommand::effectiveResolution_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<bool>("hasScale");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QPoint>("effective");
    QTest::newRow("no scale setting counts as 100") << 180 << 180 << false << 50 << QPoint(180, 180);
    QTest::newRow("scale 100") << 180 << 180 << true << 100 << QPoint(180, 180);
    QTest::newRow("scale 50 at 180 dpi gives 360") << 180 << 180 << true << 50 << QPoint(360, 360);
    QTest::newRow("non-square 120 x 60") << 120 << 60 << true << 100 << QPoint(120, 60);
    QTest::newRow("division truncates towards zero") << 180 << 180 << true << 70 << QPoint(257, 257);
    QTest::newRow("scale 0 counts as 100, no division by zero") << 160 << 160 << true << 0 << QPoint(160, 160);
}

void TestPrintCommand::effectiveResolution()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(bool, hasScale);
    QFETCH(int, scale);
    QFETCH(QPoint, effective);
    const std::uint32_t fields = dm::PaperSize | dm::DefaultSource | (hasScale ? dm::Scale : 0);
    auto service = std::make_unique<FakePrinterService>(
        std::vector{printerWith({dpiX, dpiY}, fields, static_cast<std::uint16_t>(scale))});
    TPrinterAccess printer(std::move(service));
    const auto result = printcommand::EffectiveResolutionOf(printer);
    QCOMPARE(QPoint(result.x, result.y), effective);
}

void TestPrintCommand::jobCarriesTheTitleAndEnds()
{
    auto service = std::make_unique<FakePrinterService>(std::vector{printerWith({180, 180}, dm::PaperSize, 100)});
    FakePrinterService& fake = *service;
    TPrinterAccess printer(std::move(service));
    printcommand::PrintJob(printer, [&] { printer.Canvas().textOut(1, 2, "slip"); });
    QCOMPARE(fake.jobs.size(), std::size_t{1});
    QCOMPARE(fake.jobs.front().title, std::string("mivo_Kangaroo  "));
    QCOMPARE(fake.jobs.front().title.size(), std::size_t{15});
    QVERIFY(fake.jobs.front().ended);
    QCOMPARE(fake.jobs.front().canvas.items().size(), std::size_t{1});
}

void TestPrintCommand::drawingErrorAbortsTheJob()
{
    auto service = std::make_unique<FakePrinterService>(std::vector{printerWith({180, 180}, dm::PaperSize, 100)});
    FakePrinterService& fake = *service;
    TPrinterAccess printer(std::move(service));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, printcommand::PrintJob(printer, [] {
                                 throw std::runtime_error("'1.5' is not a valid integer value");
                             }));
    QCOMPARE(fake.jobs.size(), std::size_t{1});
    QVERIFY(fake.jobs.front().aborted);
    QVERIFY(!fake.jobs.front().ended);
}

void TestPrintCommand::noPrinterOpensNoJob()
{
    auto service = std::make_unique<FakePrinterService>();
    FakePrinterService& fake = *service;
    TPrinterAccess printer(std::move(service));
    QVERIFY_THROWS_EXCEPTION(EPrinterAccessNoPrinter, printcommand::EffectiveResolutionOf(printer));
    QVERIFY(fake.jobs.empty());
}

QTEST_GUILESS_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
