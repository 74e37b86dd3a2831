#include "platform/Cp932.h"
#include "postal/PostalDirectory.h"
#include "smartimport/SmartTransfer.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// A shop's confirmation mail of 30 lines: orderer and recipient blocks, goods, payment, notes.
const std::string& thirtyLineMail()
{
    static const std::string text =
        cp932::FromUtf8("【楽天市場】注文内容ご確認（自動配信メール）\n"
                        "山田 花子 様\n"
                        "この度は当店をご利用いただき、誠にありがとうございます。\n"
                        "下記の内容でご注文を承りました。\n"
                        "━━━━━━━━━━━━━━━━━━━━\n"
                        "[受注番号] 123456-20261201-0012345\n"
                        "[日時] 2026-12-01 10:15:33\n"
                        "[注文者] 山田 花子 (ヤマダ ハナコ) 様\n"
                        "  〒150-0001 東京都渋谷区神宮前1-2-3 神宮前ハイツ201\n"
                        "  (TEL) 03-1234-5678\n"
                        "  hanako@example.jp\n"
                        "[支払方法] クレジットカード\n"
                        "[ポイント利用方法] なし\n"
                        "━━━━━━━━━━━━━━━━━━━━\n"
                        "[送付先] 佐藤 一郎 (サトウ イチロウ) 様\n"
                        "  〒５３０－０００１ 大阪府大阪市北区梅田２－４－９ 梅田センタービル１２Ｆ\n"
                        "  (TEL) ０６－６３４５－１１１１ 内線 123\n"
                        "[お届け日時] 指定なし\n"
                        "[配送方法] 宅配便\n"
                        "━━━━━━━━━━━━━━━━━━━━\n"
                        "[商品]\n"
                        "手作りクッキー詰め合わせ 1個 2,980(円)\n"
                        "ギフト包装 1個 220(円)\n"
                        "小計 3,200(円)\n"
                        "送料 0(円)\n"
                        "合計 3,200(円)\n"
                        "━━━━━━━━━━━━━━━━━━━━\n"
                        "ショップ名: サンプル菓子店\n"
                        "https://www.rakuten.co.jp/sample/\n"
                        "お問い合わせ: shop@example.co.jp\n");
    return text;
}

void BM_SmartTransfer(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(smartimport::runSmartTransfer(thirtyLineMail()));
    }
}
BENCHMARK(BM_SmartTransfer)->Unit(benchmark::kMicrosecond);

// With the built-in postal-code list consulted, as the window and the command line do.
void BM_SmartTransferWithPostalList(benchmark::State& state)
{
    const postal::PostalDirectory& directory = postal::directoryFor(std::filesystem::temp_directory_path());
    const smartimport::PostalLookup lookup = [&directory](std::string_view digits) {
        std::vector<smartimport::PostalPlace> places;
        for (const postal::PostalEntry& entry : directory.find(digits)) {
            places.push_back({entry.prefecture, entry.city, entry.town});
        }
        return places;
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(smartimport::runSmartTransfer(thirtyLineMail(), {}, lookup));
    }
}
BENCHMARK(BM_SmartTransferWithPostalList)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
