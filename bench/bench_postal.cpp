#include "postal/AddressAgreement.h"
#include "postal/BuiltInData.h"
#include "postal/PostalDirectory.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// Codes spread over the country, some with several entries, one unknown.
const std::vector<std::string>& sampleCodes()
{
    static const std::vector<std::string> codes{"1000001", "0600042", "4980000", "9040493", "5300001",
                                                "8100001", "9800811", "4520961", "7300011", "0000000"};
    return codes;
}

// One code each; the argument picks it from the sample.
void BM_Lookup(benchmark::State& state)
{
    const postal::PostalDirectory& directory = postal::directoryFor("/nonexistent");
    const std::string& code = sampleCodes()[static_cast<std::size_t>(state.range(0))];
    std::size_t entries = 0;
    for (auto _ : state) {
        const auto found = directory.find(code);
        entries = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(code + ": " + std::to_string(entries) + " entries");
}
BENCHMARK(BM_Lookup)->DenseRange(0, 9);

// The built-in list is used in place; loading it is checking it.
void BM_FirstLoadBuiltIn(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(postal::PostalDirectory::builtIn());
    }
    state.counters["bytes"] = static_cast<double>(postal::builtInData().size());
}
BENCHMARK(BM_FirstLoadBuiltIn)->Unit(benchmark::kMillisecond);

// The same list as a mivo_postal.dat in the working folder: read from the disk and checked.
void BM_FirstLoadFromFile(benchmark::State& state)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("bench_postal_" + std::to_string(getpid()) + ".dat");
    const std::string_view bytes = postal::builtInData();
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(postal::PostalDirectory::fromFile(file));
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_FirstLoadFromFile)->Unit(benchmark::kMillisecond);

void BM_Agreement(benchmark::State& state)
{
    const postal::PostalDirectory& directory = postal::directoryFor("/nonexistent");
    const char* address = state.range(0) == 0 ? "東京都千代田区千代田1-1 皇居東御苑" : "大阪府大阪市北区梅田3-1-1";
    for (auto _ : state) {
        benchmark::DoNotOptimize(postal::checkAgreement(directory, "100-0001", address));
    }
    state.SetLabel(state.range(0) == 0 ? "agrees" : "disagrees");
}
BENCHMARK(BM_Agreement)->Arg(0)->Arg(1)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
