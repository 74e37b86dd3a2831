// Direct ESC/P output: bytes per slip and time to build the stream, as bit image and in the
// printer's fonts, for one slip and for a 1,000-slip batch. For comparison, the bytes the
// driver path sends for the same slip: printed on a queue of the private CUPS server
// (MIVO_TEST_CUPS_STATE, scripts/cups-test-server) with the epson24 driver on a 10 x 4 inch
// page at 180 dpi, read back from the queue's file device.
#include "escp/EscpJob.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"
#include "tests/support/SampleSlip.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

namespace {

const SlipPrintState kRegistered{180, 180, 0, 100};

void buildLoop(benchmark::State& state, OutputMode mode, int slips)
{
    const std::vector<Slip> batch(static_cast<std::size_t>(slips), SampleSlip());
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string stream = BuildEscpStream(batch, kRegistered, mode, EscpForm{});
        bytes = stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_slip"] = static_cast<double>(bytes) / slips;
}

// A batch as a shop prints it: every recipient its own, the sender and the goods the same.
void BM_EscpImageBatch1000Distinct(benchmark::State& state)
{
    std::vector<Slip> batch;
    for (int i = 0; i < 1000; ++i) {
        Slip slip = SampleSlip();
        slip.recipient.name = "山田太郎" + std::to_string(i);
        slip.recipient.address1 = "東京都千代田区丸の内1-2-" + std::to_string(i);
        slip.recipient.tel = "03-1234-" + std::to_string(1000 + i);
        batch.push_back(slip);
    }
    for (auto _ : state) {
        const std::string stream = BuildEscpStream(batch, kRegistered, OutputMode::EscpImage, EscpForm{});
        benchmark::DoNotOptimize(stream.data());
    }
}

void BM_EscpImageSlip(benchmark::State& state)
{
    buildLoop(state, OutputMode::EscpImage, 1);
}

void BM_EscpTextSlip(benchmark::State& state)
{
    buildLoop(state, OutputMode::EscpText, 1);
}

void BM_EscpTextBatch1000(benchmark::State& state)
{
    buildLoop(state, OutputMode::EscpText, 1000);
}

void BM_EscpImageBatch1000(benchmark::State& state)
{
    buildLoop(state, OutputMode::EscpImage, 1000);
}

bool lpadmin(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("lpadmin"), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The slip printed the way F11 prints it, on the driver's own margins.
void printThroughDriver(const std::string& queue)
{
    const auto& names = PrinterAccess().GetPrinterNames();
    const auto found = std::find(names.begin(), names.end(), queue);
    PrinterAccess().SetIndex(static_cast<int>(found - names.begin()));
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(PrinterAccess());
    const SlipPrintState state{resolution.x, resolution.y, 0, 100};
    printcommand::PrintJob(PrinterAccess(), [&] { DrawSlip(SampleSlip(), state, PrinterAccess().Canvas()); });
}

void BM_DriverEpson24Slip(benchmark::State& state)
{
    const QString cupsState = qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
    if (cupsState.isEmpty()) {
        state.SkipWithError("no private CUPS server (MIVO_TEST_CUPS_STATE)");
        return;
    }
    const QString queue = QStringLiteral("mivo_bench_epson24_%1").arg(QCoreApplication::applicationPid());
    const QString output = QDir(cupsState).filePath(QStringLiteral("out/%1.out").arg(queue));
    if (!lpadmin({"-p", queue, "-E", "-v", "file://" + output, "-m", "drv:///sample.drv/epson24.ppd", "-o",
                  "PageSize=Custom.720x288", "-o", "Resolution=180dpi"})) {
        state.SkipWithError("lpadmin could not create the epson24 queue");
        return;
    }
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    qint64 bytes = 0;
    for (auto _ : state) {
        QFile::remove(output);
        printThroughDriver(queue.toStdString());
        // The driver's output is complete once the file stops growing after it appeared.
        qint64 last = -1;
        for (int i = 0; i < 600; ++i) {
            bytes = QFileInfo(output).size();
            if (bytes > 0 && bytes == last) {
                break;
            }
            last = bytes;
            QThread::msleep(bytes == 0 ? 100 : 500);
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    UninstallPrinterService();
    lpadmin({"-x", queue});
}

} // namespace

BENCHMARK(BM_EscpImageSlip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscpTextSlip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscpTextBatch1000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_EscpImageBatch1000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EscpImageBatch1000Distinct)->Unit(benchmark::kMillisecond)->Iterations(1);
// One job, read back when the driver is done; its time is not the point.
BENCHMARK(BM_DriverEpson24Slip)->Unit(benchmark::kMillisecond)->Iterations(1);
