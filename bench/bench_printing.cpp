// From the confirmed print question to the job handed over: effective resolution, begin,
// draw the slip, end. On the built-in PDF printer always; on a PDF queue of a CUPS server
// when MIVO_TEST_CUPS_STATE names one (scripts/cups-test-server).
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"
#include "tests/support/SampleSlip.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

namespace {

// What the print command does once the user has said yes.
void printOnce(TPrinterAccess& printer, const Slip& slip)
{
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    const SlipPrintState state{resolution.x, resolution.y, 25, -10};
    printcommand::PrintJob(printer, [&] { DrawSlip(slip, state, printer.Canvas()); });
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
    const Slip slip = SampleSlip();
    for (auto _ : state) {
        printOnce(PrinterAccess(), slip);
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
