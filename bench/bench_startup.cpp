// Process start until the main window has been shown and painted, on the offscreen platform, beside a
// minimal Qt widgets program started the same way.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <stdexcept>

namespace {
// A settings file of about `bytes`, the slip's entries after that many bytes of other entries.
bool writeSettings(const QString& folder, qint64 bytes)
{
    QFile settings(QDir(folder).filePath("mivo_Kangaroo.ini"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write("[mv_Kangarooprn]\r\n") < 0) {
        return false;
    }
    const QByteArray filler = "other=" + QByteArray(88, 'x') + "\r\n";
    for (qint64 written = 0; written < bytes; written += filler.size()) {
        if (settings.write(filler) != filler.size()) {
            return false;
        }
    }
    return settings.write("E_CUS=customer\r\nE_ZIP=503-0001\r\nKOSUU=2\r\n") > 0;
}

void startToFirstPaint(benchmark::State& state, const QString& program, qint64 settingsBytes = 0)
{
    QTemporaryDir folder;
    QTemporaryDir temporary; // lock and socket of the single-instance rule
    QFile sender(QDir(folder.path()).filePath("my0.txt"));
    if (!sender.open(QIODevice::WriteOnly) || sender.write("\r\n\r\n\r\n\r\n\r\n") != 10 ||
        (settingsBytes > 0 && !writeSettings(folder.path(), settingsBytes))) {
        state.SkipWithError("cannot prepare the working folder");
        return;
    }
    sender.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("MIVO_EXIT_AFTER_SHOW", "1");
    environment.insert("TMPDIR", temporary.path());

    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path());
        const auto start = std::chrono::steady_clock::now();
        process.start(program, {});
        while (!process.readAllStandardOutput().contains("shown")) {
            if (!process.waitForReadyRead(30000)) {
                state.SkipWithError("the program never showed its window");
                return;
            }
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        // Saving the settings at the end is not part of the start.
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the program did not end by itself");
            return;
        }
    }
}

void BM_StartMivoKangaroo(benchmark::State& state)
{
    startToFirstPaint(state, QStringLiteral(MIVO_EXECUTABLE));
}

// A 100 MB settings file: read once at start, its entries looked up in memory.
void BM_StartMivoKangarooLargeSettings(benchmark::State& state)
{
    startToFirstPaint(state, QStringLiteral(MIVO_EXECUTABLE), qint64(100) << 20);
}

void BM_StartMinimalWindow(benchmark::State& state)
{
    startToFirstPaint(state, QStringLiteral(MINIMAL_WINDOW_EXECUTABLE));
}
} // namespace

BENCHMARK(BM_StartMivoKangaroo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_StartMivoKangarooLargeSettings)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartMinimalWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

BENCHMARK_MAIN();
