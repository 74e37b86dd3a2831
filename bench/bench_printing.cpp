// From the confirmed print question to the job handed over: effective resolution, begin,
// draw the slip, end. On the built-in PDF printer always; on a PDF queue of a CUPS server
// when MIVO_TEST_CUPS_STATE names one (scripts/cups-test-server).
#include "platform/FontSubstitutes.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

namespace {

SlipFields sampleSlip()
{
    SlipFields f;
    f.prnTop = "25";
    f.prnLeft = "-10";
    f.deliveryMonth = "11";
    f.deliveryDay = "28";
    f.time10 = true;
    f.slipYear = 2010;
    f.slipMonth = 12;
    f.slipDay = 6;
    f.goods1 = "りんご 10kg";
    f.goods2 = "みかん 5kg";
    f.goods3 = "ぶどう";
    f.tel = "0584-11-2222";
    f.zip = "503-0001";
    f.address1 = "岐阜県大垣市田口町1";
    f.address2 = "カンガルービル 3F";
    f.name = "西濃 太郎 様";
    f.senderTel = "06-3333-4444";
    f.senderZip = "530-0001";
    f.senderAddress1 = "大阪府大阪市北区梅田1-1";
    f.senderAddress2 = "mivo 商店";
    f.senderName = "mivo";
    f.pieceCount = "2";
    return f;
}

// What the print command does once the user has said yes.
void printOnce(TPrinterAccess& printer, SlipFields fields)
{
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    fields.dpix = std::to_string(resolution.x);
    fields.dpiy = std::to_string(resolution.y);
    printcommand::PrintJob(printer, [&] { DrawSlip(fields, printer.Canvas()); });
}

int indexOf(const std::string& name)
{
    const auto& names = PrinterAccess().GetPrinterNames();
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

void printLoop(benchmark::State& state, const std::string& printerName)
{
    const int index = indexOf(printerName);
    if (index < 0) {
        state.SkipWithError("printer not found");
        return;
    }
    PrinterAccess().SetIndex(index);
    const SlipFields fields = sampleSlip();
    for (auto _ : state) {
        printOnce(PrinterAccess(), fields);
    }
}

void BM_PrintToBuiltInPdf(benchmark::State& state)
{
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    printLoop(state, "PDF");
    UninstallPrinterService();
}

bool lpadmin(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("lpadmin"), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void BM_PrintToCupsPdfQueue(benchmark::State& state)
{
    const QString cupsState = qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
    if (cupsState.isEmpty()) {
        state.SkipWithError("no private CUPS server (MIVO_TEST_CUPS_STATE)");
        return;
    }
    const QString queue = QStringLiteral("mivo_bench_%1").arg(QCoreApplication::applicationPid());
    const QString device = "file://" + QDir(cupsState).filePath(QStringLiteral("out/%1.out").arg(queue));
    if (!lpadmin({"-p", queue, "-E", "-v", device, "-P", QStringLiteral(MIVO_BENCH_PPD)})) {
        state.SkipWithError("lpadmin could not create the queue");
        return;
    }
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    printLoop(state, queue.toStdString());
    UninstallPrinterService();
    lpadmin({"-x", queue});
}

} // namespace

// Each job spools one file and, on the queue, leaves one job on the server: keep the count
// small and fixed.
BENCHMARK(BM_PrintToBuiltInPdf)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_PrintToCupsPdfQueue)->Unit(benchmark::kMillisecond)->Iterations(100);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
