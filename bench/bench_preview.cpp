// The preview: the page painted at 180 dpi as the window shows it (with and without a scan of
// the form under it), and the headless exports to PNG and PDF.
#include "preview/PreviewRenderer.h"
#include "tests/support/SampleSlip.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

PreviewScene sampleScene(double widthPt, double heightPt)
{
    PreviewScene scene;
    scene.page.paperWidthPt = widthPt;
    scene.page.paperHeightPt = heightPt;
    scene.page.printableLeftPt = scene.page.printableTopPt = 18;
    scene.page.printableWidthPt = widthPt - 36;
    scene.page.printableHeightPt = heightPt - 36;
    scene.page.dpi = {180, 180};
    scene.slip = SampleSlip();
    scene.printState = {180, 180, 25, -10};
    return scene;
}

PreviewScene withScan(PreviewScene scene)
{
    // A 200 dpi scan of a 10 x 4 inch form.
    scene.scan = QImage(2000, 800, QImage::Format_RGB32);
    scene.scan.fill(QColor(0xFF, 0xF4, 0xD0));
    scene.scanToPaperPoints = QTransform::fromScale(72.0 / 200, 72.0 / 200);
    return scene;
}

void BM_Render180Dpi(benchmark::State& state, PreviewScene scene)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview::RenderImage(scene, 180));
    }
}

void BM_ExportPng(benchmark::State& state, PreviewScene scene)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.png"));
    for (auto _ : state) {
        preview::WritePng(path, scene, 180);
    }
}

void BM_ExportPdf(benchmark::State& state, PreviewScene scene)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.pdf"));
    for (auto _ : state) {
        preview::WritePdf(path, scene);
    }
}

const PreviewScene kSlip = sampleScene(720, 288);
const PreviewScene kA4 = sampleScene(595, 842);

} // namespace

BENCHMARK_CAPTURE(BM_Render180Dpi, slip_10x4, kSlip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Render180Dpi, slip_10x4_with_scan, withScan(kSlip))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Render180Dpi, a4, kA4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportPng, slip_10x4, kSlip)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportPng, a4, kA4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportPdf, a4, kA4)->Unit(benchmark::kMillisecond);
