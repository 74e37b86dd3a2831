#include "platform/Cp932.h"
#include "textimport/Classification.h"
#include "textimport/HalfWidth.h"
#include "textimport/Normalisation.h"
#include "textimport/Transfer.h"

#include <benchmark/benchmark.h>

namespace {

std::string sj(std::string_view utf8)
{
    return cp932::FromUtf8(utf8);
}

// A full seven-line paste: labels, a glued postal code, a building, a name and a telephone.
const std::string& sevenLinePaste()
{
    static const std::string text =
        sj("お届け先\n〒１２３－４５６７ 東京都中央区銀座９－９－９\n第一ビル３階\n株式会社山田商事\n"
           "山田 花子 様\nＴＥＬ：０３－１２３４－５６７８\nご注文番号：20240501-0001\n");
    return text;
}

const std::string& addressLine()
{
    static const std::string line = sj("東京都千代田区丸の内一丁目2-3 丸の内パークビル10階");
    return line;
}

void BM_Transfer(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::RunTransfer(sevenLinePaste()));
    }
}
BENCHMARK(BM_Transfer);

void BM_ZipTelCheck(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::ZipTelCheck(addressLine()));
    }
}
BENCHMARK(BM_ZipTelCheck);

void BM_IsPrefecture(benchmark::State& state)
{
    const std::string line = sj("沖縄県");
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::IsPrefecture(line));
    }
}
BENCHMARK(BM_IsPrefecture);

void BM_ScoreAddress(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::ScoreAddress(addressLine()));
    }
}
BENCHMARK(BM_ScoreAddress);

void BM_MailWebMarkerCount(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::MailWebMarkerCount(addressLine()));
    }
}
BENCHMARK(BM_MailWebMarkerCount);

void BM_CleanLabels(benchmark::State& state)
{
    const auto lines = textimport::CompactLines({sj("お名前：山田 花子 様"), sj("電話番号：０３－１２３４－５６７８"),
                                                 sj("ご住所：〒１２３－４５６７東京都千代田区丸の内1-2-3")});
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::CleanLabels(lines));
    }
}
BENCHMARK(BM_CleanLabels);

void BM_NumericLead(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::NumericLead(addressLine()));
    }
}
BENCHMARK(BM_NumericLead);

void BM_ToHalfWidth(benchmark::State& state)
{
    const std::string line = sj("ＴＥＬ：０３－１２３４－５６７８　ヤマダ　ハナコ");
    for (auto _ : state) {
        benchmark::DoNotOptimize(textimport::ToHalfWidth(line));
    }
}
BENCHMARK(BM_ToHalfWidth);

} // namespace

BENCHMARK_MAIN();
