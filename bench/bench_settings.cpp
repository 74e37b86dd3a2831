#include "platform/AtomicFile.h"
#include "platform/ProfileFile.h"
#include "workfolder/SettingsFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A working folder on the same disk as the program's would be (the current folder).
fs::path ScratchFolder()
{
    const fs::path folder = fs::current_path() / ("bench_settings." + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

SlipSettings TypicalSlip()
{
    SlipSettings settings;
    settings.zip = "503-0001";
    settings.address1 = std::string(40, 'a');
    settings.address2 = std::string(30, 'b');
    settings.customer = "customer";
    settings.tel = "0584-00-0000";
    settings.goods1 = "goods";
    settings.senderName = "sender";
    settings.pieceCount = "1";
    return settings;
}

// A settings file of about `bytes`: the slip's entries after that many bytes of other entries
// of the same section (a file grown by hand or by another tool), the costliest place for them.
fs::path SettingsFileOf(const fs::path& folder, std::size_t bytes)
{
    const fs::path file = SettingsFile::In(folder);
    std::string content = "[mv_Kangarooprn]\r\n";
    content.reserve(bytes + 4096);
    for (int line = 0; content.size() < bytes; ++line) {
        content += "other" + std::to_string(line) + "=" + std::string(80, 'x') + "\r\n";
    }
    AtomicFile::Write(file, content);
    SettingsFile::Write(file, TypicalSlip());
    return file;
}

void BM_ReadSettings(benchmark::State& state)
{
    const fs::path folder = ScratchFolder();
    const fs::path file = SettingsFileOf(folder, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SettingsFile::Read(file));
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_ReadSettings)->Arg(0)->Arg(100 << 20)->Unit(benchmark::kMillisecond);

// The save at program end: eighteen entries set in one pass, one atomic, flushed replacement.
void BM_WriteSettings(benchmark::State& state)
{
    const fs::path folder = ScratchFolder();
    const fs::path file = SettingsFileOf(folder, static_cast<std::size_t>(state.range(0)));
    const SlipSettings settings = TypicalSlip();
    for (auto _ : state) {
        SettingsFile::Write(file, settings);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_WriteSettings)->Arg(0)->Arg(100 << 20)->Unit(benchmark::kMillisecond);

// The worst a damaged file can cost: one look-up in megabytes of random bytes.
void BM_FindValueInGarbage(benchmark::State& state)
{
    std::mt19937 random(932);
    std::string content(static_cast<std::size_t>(state.range(0)), '\0');
    for (char& byte : content) {
        byte = static_cast<char>(random() & 0xFF);
    }
    content += "\r\n[mv_Kangarooprn]\r\nE_ZIP=1\r\n";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProfileFile::FindValue(content, "mv_Kangarooprn", "E_ZIP"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FindValueInGarbage)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
