#include "journal/Journal.h"
#include "shipping/ManifestPdf.h"
#include "shipping/ShippedExport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>

// Closing a busy shipping day: the shipped file of 10,000 numbered entries of one day read
// from the journal and written in each platform's format, and the driver's list of 1,000
// slips built from the journal and drawn into a PDF.
namespace {

const QDate kDay(2026, 12, 7);

journal::JournalEntry printedEntry(int i)
{
    journal::JournalEntry entry;
    entry.time = QDateTime(kDay, QTime(8, 0)).addMSecs(i * 3000LL);
    entry.printer = "PDF";
    entry.paperFeed = "連続(４インチ)";
    entry.orderNumber = "123456-20261207-" + std::to_string(1000000 + i);
    entry.slip.recipient = {"503-0001", "岐阜県大垣市林町" + std::to_string(i % 100) + "丁目", "サンプル荘101",
                            "西濃太郎" + std::to_string(i), "0584-11-2222"};
    entry.slip.sender = {"100-0001", "東京都千代田区千代田1", "", "送り主商店", "03-1111-2222"};
    entry.slip.goods = {"りんご", "", ""};
    entry.slip.pieceCount = "1";
    entry.printState = {180, 180, 0, 0};
    return entry;
}

// A journal of one day with `count` numbered entries, kept for the whole run.
journal::Journal& dayJournal(int count)
{
    static QTemporaryDir folder;
    static std::map<int, std::unique_ptr<journal::Journal>> journals;
    std::unique_ptr<journal::Journal>& journal = journals[count];
    if (!journal) {
        std::filesystem::create_directories(folder.filePath(QString::number(count)).toStdString());
        journal = std::make_unique<journal::Journal>(
            journal::Journal::In(folder.filePath(QString::number(count)).toStdString()));
        std::vector<journal::JournalEntry> entries;
        for (int i = 0; i < count; ++i) {
            entries.push_back(printedEntry(i));
        }
        const std::vector<std::int64_t> ids = journal->recordJobs(entries);
        std::vector<journal::TrackingAssignment> numbers;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            numbers.push_back({ids[i], std::to_string(1000000000 + i)});
        }
        journal->setTrackingNumbers(numbers);
    }
    return *journal;
}

void BM_ExportShipped(benchmark::State& state)
{
    const shipping::ShippedFormat& format = shipping::ShippedFormats()[static_cast<std::size_t>(state.range(0))];
    journal::Journal& journal = dayJournal(10000);
    for (auto _ : state) {
        const shipping::ShippedExport shipped =
            shipping::ExportShipped(journal, format, kDay, kDay, {"1004", "西濃運輸"});
        benchmark::DoNotOptimize(shipped.content.data());
    }
    state.SetLabel(std::string(format.name));
}
BENCHMARK(BM_ExportShipped)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_Manifest(benchmark::State& state)
{
    journal::Journal& journal = dayJournal(1000);
    for (auto _ : state) {
        const shipping::Manifest manifest = shipping::BuildManifest(journal.printedOn(kDay, kDay), kDay, std::nullopt);
        const std::string pdf = shipping::ManifestPdf(manifest);
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(BM_Manifest)->Unit(benchmark::kMillisecond);

} // namespace
