#include "gui/HistoryHost.h"
#include "gui/HistoryWindow.h"
#include "gui/JournalListModel.h"
#include "journal/Journal.h"
#include "tests/support/ScratchDatabase.h"

#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

// The print journal at the size of years of use: recording one slip, searching 100,000
// entries as the history window does (one page, newest first), and opening that window.
// The Server benchmarks do the same on a PostgreSQL server (MIVO_TEST_PG_URI, as
// scripts/pg-test-server prints it), in a database of their own.
namespace fs = std::filesystem;

namespace {

constexpr int kEntries = 100000;

const char* const kFamily[] = {"西濃", "山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺"};
const char* const kGiven[] = {"太郎", "花子", "一郎", "美咲", "健太", "陽子"};
const char* const kCity[] = {"岐阜県大垣市林町", "大阪府大阪市北区梅田", "東京都千代田区丸の内",
                             "愛知県名古屋市中区栄"};

journal::JournalEntry sampleEntry(int i)
{
    journal::JournalEntry entry;
    entry.printer = "EPSON VP-F2400";
    entry.paperFeed = "連続(４インチ)";
    entry.cupsJobId = i + 1;
    entry.orderNumber = "A-" + std::to_string(100000 + i);
    SlipAddress& to = entry.slip.recipient;
    to.name = std::string(kFamily[i % 8]) + kGiven[(i / 8) % 6] + std::to_string(i);
    to.tel =
        "0" + std::to_string(100 + i % 900) + "-" + std::to_string(10 + i % 90) + "-" + std::to_string(1000 + i % 9000);
    to.zip = std::to_string(100 + i % 900) + "-" + std::to_string(1000 + (i * 7) % 9000);
    to.address1 = std::string(kCity[i % 4]) + std::to_string(i % 100) + "丁目" + std::to_string(i % 50) + "番地";
    to.address2 = "サンプルマンション" + std::to_string(i % 300) + "号室";
    entry.slip.goods = {"りんご", "ぶどう", ""};
    entry.slip.sender.name = "送り主商店";
    entry.slip.sender.address1 = "岐阜県大垣市";
    entry.slip.pieceCount = "1";
    entry.printState = {180, 180, 0, 0};
    return entry;
}

// One journal of kEntries for the whole run, over about a year.
const fs::path& fullJournal()
{
    static const fs::path file = [] {
        const fs::path folder = fs::current_path() / ("bench_journal." + std::to_string(::getpid()));
        fs::create_directories(folder);
        const fs::path path = journal::Journal::In(folder);
        journal::Journal journal(path);
        const QDateTime start = QDateTime::currentDateTime().addDays(-365);
        for (int i = 0; i < kEntries; ++i) {
            journal::JournalEntry entry = sampleEntry(i);
            entry.time = start.addSecs(i * 315);
            journal.recordJob(entry);
        }
        return path;
    }();
    return file;
}

std::unique_ptr<ScratchDatabase>& serverDatabase()
{
    static std::unique_ptr<ScratchDatabase> database;
    return database;
}

// The same entries on the server, written a thousand to a transaction; null without a server.
const journal::ServerAddress* fullServerJournal()
{
    static const std::optional<journal::ServerAddress> server = []() -> std::optional<journal::ServerAddress> {
        serverDatabase() = std::make_unique<ScratchDatabase>();
        if (!serverDatabase()->available()) {
            return std::nullopt;
        }
        const journal::ServerAddress address = journal::ParseServerUri(serverDatabase()->uri());
        journal::Journal journal(address);
        const QDateTime start = QDateTime::currentDateTime().addDays(-365);
        std::vector<journal::JournalEntry> entries;
        for (int i = 0; i < kEntries; ++i) {
            entries.push_back(sampleEntry(i));
            entries.back().time = start.addSecs(i * 315);
            if (entries.size() == 1000) {
                journal.recordJobs(entries);
                entries.clear();
            }
        }
        return address;
    }();
    return server ? &*server : nullptr;
}

void removeJournal()
{
    fs::remove_all(fullJournal().parent_path());
    serverDatabase().reset();
}

class NoHost : public HistoryHost
{
public:
    std::filesystem::path journalFile() const override { return fullJournal(); }
    void loadFromJournal(const Slip&) override {}
    void reprintFromJournal(const journal::JournalEntry&, bool) override {}
};

const char* const kSearches[] = {"",         "大垣",      "花子",           "0584", "西濃太郎9999",
                                 "a-199999", "大阪 美咲", "存在しない名前", "5"};

// The first page for a typed text, as the history window asks for it.
void searchPages(benchmark::State& state, journal::Journal& journal)
{
    journal::JournalQuery query;
    query.text = kSearches[state.range(0)];
    query.limit = JournalListModel::kPageSize;
    state.SetLabel(query.text.empty() ? "(all)" : query.text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(journal.search(query));
    }
}

void recordSlips(benchmark::State& state, journal::Journal& journal, int first)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(journal.recordJob(sampleEntry(first++)));
    }
}

// One slip job recorded in the full journal: one transaction.
void BM_RecordSlip(benchmark::State& state)
{
    journal::Journal journal(fullJournal());
    recordSlips(state, journal, kEntries);
}
BENCHMARK(BM_RecordSlip)->Unit(benchmark::kMicrosecond);

// What a print adds when the journal is opened for the job alone, as the window does.
void BM_OpenAndRecordSlip(benchmark::State& state)
{
    int i = kEntries * 2;
    for (auto _ : state) {
        journal::Journal journal(fullJournal());
        benchmark::DoNotOptimize(journal.recordJob(sampleEntry(i++)));
    }
}
BENCHMARK(BM_OpenAndRecordSlip)->Unit(benchmark::kMicrosecond);

// The history window's first page for a typed text.
void BM_Search(benchmark::State& state)
{
    journal::Journal journal(fullJournal(), journal::Journal::Access::ReadOnly);
    searchPages(state, journal);
}
BENCHMARK(BM_Search)->DenseRange(0, std::size(kSearches) - 1)->Unit(benchmark::kMillisecond);

// A text within the last month.
void BM_SearchInPeriod(benchmark::State& state)
{
    journal::Journal journal(fullJournal(), journal::Journal::Access::ReadOnly);
    journal::JournalQuery query;
    query.text = "花子";
    query.from = QDate::currentDate().addMonths(-1);
    query.to = QDate::currentDate();
    query.limit = JournalListModel::kPageSize;
    for (auto _ : state) {
        benchmark::DoNotOptimize(journal.search(query));
    }
}
BENCHMARK(BM_SearchInPeriod)->Unit(benchmark::kMillisecond);

// One slip job recorded on the server over loopback: one transaction.
void BM_ServerRecordSlip(benchmark::State& state)
{
    const journal::ServerAddress* server = fullServerJournal();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (MIVO_TEST_PG_URI)");
        return;
    }
    journal::Journal journal(*server);
    recordSlips(state, journal, kEntries * 3);
}
BENCHMARK(BM_ServerRecordSlip)->Unit(benchmark::kMicrosecond);

// A batch of 500 new orders claimed before it prints, one transaction, in the full journal
// (0) or on the server (1); every order is free, so each is inserted.
void BM_ClaimBatch(benchmark::State& state)
{
    const bool onServer = state.range(0) == 1;
    const journal::ServerAddress* server = onServer ? fullServerJournal() : nullptr;
    if (onServer && !server) {
        state.SkipWithError("no PostgreSQL server (MIVO_TEST_PG_URI)");
        return;
    }
    auto journal =
        server ? std::make_unique<journal::Journal>(*server) : std::make_unique<journal::Journal>(fullJournal());
    state.SetLabel(onServer ? "server" : "file");
    int batch = 0;
    for (auto _ : state) {
        std::vector<journal::ClaimRequest> requests;
        for (int i = 0; i < 500; ++i) {
            const journal::JournalEntry entry = sampleEntry(i);
            requests.push_back({"C" + std::to_string(batch) + "-" + std::to_string(i), entry.slip.recipient, false});
        }
        ++batch;
        benchmark::DoNotOptimize(journal->claimOrders(requests));
    }
}
BENCHMARK(BM_ClaimBatch)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The history window's first page for a typed text, on the server.
void BM_ServerSearch(benchmark::State& state)
{
    const journal::ServerAddress* server = fullServerJournal();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (MIVO_TEST_PG_URI)");
        return;
    }
    journal::Journal journal(*server, journal::Journal::Access::ReadOnly);
    searchPages(state, journal);
}
BENCHMARK(BM_ServerSearch)->DenseRange(0, std::size(kSearches) - 1)->Unit(benchmark::kMillisecond);

// An entry that waited for the server, sent to it: new there (0), or sent again and found
// there by its uuid (1).
void BM_ServerCopyIn(benchmark::State& state)
{
    const journal::ServerAddress* server = fullServerJournal();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (MIVO_TEST_PG_URI)");
        return;
    }
    journal::Journal journal(*server);
    const bool again = state.range(0) == 1;
    state.SetLabel(again ? "already there" : "new");
    int next = kEntries * (again ? 5 : 4);
    for (auto _ : state) {
        journal::JournalEntry entry = sampleEntry(again ? next : next++);
        entry.uuid = "bench-copy-" + std::to_string(again ? next : next - 1);
        entry.time = QDateTime::currentDateTime();
        benchmark::DoNotOptimize(journal.copyIn(entry));
    }
}
BENCHMARK(BM_ServerCopyIn)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// F5 to the first page shown.
void BM_OpenHistoryWindow(benchmark::State& state)
{
    NoHost host;
    for (auto _ : state) {
        HistoryWindow window(host);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.findChild<QTableView*>()->model()->rowCount());
    }
}
BENCHMARK(BM_OpenHistoryWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    fullJournal();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeJournal();
    return 0;
}
