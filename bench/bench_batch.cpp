// Reading a shop's order export: 10,000 orders of a 楽天 file (two item rows each) into checked
// slips, in UTF-8 and in code page 932, and with one row per order. Printing one: 1,000 orders from the file into one
// finished spool file of the built-in PDF printer, with the process's peak memory.
#include "batch/OrderFile.h"
#include "jobs/BatchPrint.h"
#include "platform/Cp932.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kOrders = 10'000;

// itemRows: rows per order, one per item, each repeating the destination.
std::string rakutenExport(int orders, int itemRows = 2)
{
    std::string text = "受注番号,送付先名字,送付先名前,送付先郵便番号1,送付先郵便番号2,送付先住所都道府県,"
                       "送付先住所郡市区,送付先住所それ以降の住所,送付先電話番号1,送付先電話番号2,送付先電話番号3,"
                       "商品名,個数\r\n";
    for (int i = 0; i < orders; ++i) {
        const std::string row = std::to_string(100000 + i) + ",山田,太郎," + std::to_string(60 + i % 900) + "," +
                                std::to_string(i % 10000) + ",北海道,札幌市北区,北十一条西" + std::to_string(i % 20) +
                                "-2-3 メゾン札幌" + std::to_string(i % 300) + "号室,011,123,4567,";
        text += row + "\"りんごジュース, 1L\",2\r\n";
        for (int item = 1; item < itemRows; ++item) {
            text += row + "みかん,1\r\n";
        }
    }
    return text;
}

void readOrders(benchmark::State& state, bool cp932Bytes, int itemRows = 2)
{
    const std::string utf8 = rakutenExport(kOrders, itemRows);
    const std::string bytes = cp932Bytes ? cp932::FromUtf8(utf8) : utf8;
    std::size_t slips = 0;
    for (auto _ : state) {
        const batch::OrderFile file = batch::ReadOrderFile(bytes);
        slips = file.slips.size();
        benchmark::DoNotOptimize(file.slips.data());
    }
    state.counters["slips"] = static_cast<double>(slips);
}

void BM_ReadOrdersUtf8(benchmark::State& state)
{
    readOrders(state, false);
}

void BM_ReadOrdersCp932(benchmark::State& state)
{
    readOrders(state, true);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void printSlips(TPrinterAccess& printer, const batch::OrderFile& file)
{
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    const SenderRecord sender{"530-0001", "\x91\xe5\x8d\xe3", "", "mivo", "06-3333-4444"};
    const SlipPrintState state{resolution.x, resolution.y, 0, 0};
    printcommand::PrintBatchJob(
        printer, file.slips.size(),
        [&](std::size_t i) { DrawSlip(BatchSlipModel(file.slips[i], sender), state, printer.Canvas()); },
        [](std::size_t) { return true; });
}

void BM_PrintSlipsToOneSpoolFile(benchmark::State& state)
{
    const std::string bytes = rakutenExport(static_cast<int>(state.range(0)));
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    TPrinterAccess& printer = PrinterAccess();
    const auto& names = printer.GetPrinterNames();
    printer.SetIndex(static_cast<int>(std::find(names.begin(), names.end(), "PDF") - names.begin()));
    for (auto _ : state) {
        printSlips(printer, batch::ReadOrderFile(bytes));
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["files"] = static_cast<double>(QDir(slips.path()).entryList(QDir::Files).size());
    UninstallPrinterService();
}

void BM_ReadOrdersOneRowEach(benchmark::State& state)
{
    readOrders(state, false, 1);
}

BENCHMARK(BM_ReadOrdersUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOrdersOneRowEach)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOrdersCp932)->Unit(benchmark::kMillisecond);
// Each run leaves one file: few, fixed iterations. Run alone (--benchmark_filter=Print) for
// a peak that is the printing's own.
BENCHMARK(BM_PrintSlipsToOneSpoolFile)->Arg(1000)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
