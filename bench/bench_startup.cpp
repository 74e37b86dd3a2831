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
void startToFirstPaint(benchmark::State& state, const QString& program)
{
    QTemporaryDir folder;
    QTemporaryDir temporary; // lock and socket of the single-instance rule
    QFile sender(QDir(folder.path()).filePath("my0.txt"));
    if (!sender.open(QIODevice::WriteOnly) || sender.write("\r\n\r\n\r\n\r\n\r\n") != 10) {
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

void BM_StartMinimalWindow(benchmark::State& state)
{
    startToFirstPaint(state, QStringLiteral(MINIMAL_WINDOW_EXECUTABLE));
}
} // namespace

BENCHMARK(BM_StartMivoKangaroo)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_StartMinimalWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

BENCHMARK_MAIN();
