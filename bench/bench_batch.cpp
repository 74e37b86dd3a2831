// Reading a shop's order export: 10,000 orders of a 楽天 file (two item rows each) into checked
// slips, in UTF-8 and in code page 932.
#include "Cp932.h"
#include "OrderFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kOrders = 10'000;

std::string rakutenExport(int orders)
{
    std::string text = "受注番号,送付先名字,送付先名前,送付先郵便番号1,送付先郵便番号2,送付先住所都道府県,"
                       "送付先住所郡市区,送付先住所それ以降の住所,送付先電話番号1,送付先電話番号2,送付先電話番号3,"
                       "商品名,個数\r\n";
    for (int i = 0; i < orders; ++i) {
        const std::string row = std::to_string(100000 + i) + ",山田,太郎," + std::to_string(60 + i % 900) + "," +
                                std::to_string(i % 10000) + ",北海道,札幌市北区,北十一条西" + std::to_string(i % 20) +
                                "-2-3 メゾン札幌" + std::to_string(i % 300) + "号室,011,123,4567,";
        text += row + "\"りんごジュース, 1L\",2\r\n";
        text += row + "みかん,1\r\n";
    }
    return text;
}

void readOrders(benchmark::State& state, bool cp932Bytes)
{
    const std::string utf8 = rakutenExport(kOrders);
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

BENCHMARK(BM_ReadOrdersUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOrdersCp932)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
