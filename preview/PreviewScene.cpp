#include "preview/PreviewScene.h"

#include <QBuffer>
#include <QImageReader>

#include <stdexcept>

namespace preview {
namespace {

constexpr double kFallbackWidthPt = 720;
constexpr double kFallbackHeightPt = 288;

} // namespace

PreviewScene Scene(PageGeometry page, Slip slip, const SlipPrintState& state, bool continuousForm)
{
    PreviewScene scene;
    scene.page = page;
    if (scene.page.dpi.x <= 0 || scene.page.dpi.y <= 0) {
        throw std::runtime_error("The current printer reports no resolution");
    }
    if (scene.page.paperWidthPt <= 0 || scene.page.paperHeightPt <= 0) {
        scene.page.paperWidthPt = scene.page.printableWidthPt = kFallbackWidthPt;
        scene.page.paperHeightPt = scene.page.printableHeightPt = kFallbackHeightPt;
        scene.page.printableLeftPt = scene.page.printableTopPt = 0;
    }
    scene.slip = std::move(slip);
    scene.printState = state;
    scene.continuousForm = continuousForm;
    return scene;
}

bool AddScan(PreviewScene& scene, const FormScan& scan)
{
    const std::optional<QTransform> placement = formscan::ToPaperPoints(scan);
    if (!placement) {
        return false;
    }
    std::optional<QByteArray> bytes = formscan::ReadImageFile(scan);
    if (!bytes) {
        return false;
    }
    QBuffer buffer(&*bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg") {
        return false;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return false;
    }
    scene.scan = std::move(image);
    scene.scanToPaperPoints = *placement;
    return true;
}

} // namespace preview
