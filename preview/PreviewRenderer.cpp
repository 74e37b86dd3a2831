#include "preview/PreviewRenderer.h"

#include "platform/QPainterCanvas.h"
#include "preview/SlipFitCheck.h"
#include "slipprint/SlipDrawing.h"
#include "slipprint/SlipFormOutline.h"
#include "slipprint/SlipGeometry.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <stdexcept>

namespace preview {
namespace {

const QColor kUnreachable(0xD8, 0xD8, 0xD8, 160);
const QColor kFormInk(0xD0, 0x40, 0x40);
const QColor kAreaEdge(0x40, 0x70, 0xC0);
const QColor kDesk(0xA0, 0xA0, 0xA0);
const QColor kMisfit(0xE0, 0x00, 0x00);
constexpr double kMetersPerInch = 0.0254;

QRectF paperRect(const PageGeometry& page)
{
    return {0, 0, page.paperWidthPt, page.paperHeightPt};
}

QRectF printableRect(const PageGeometry& page)
{
    return {page.printableLeftPt, page.printableTopPt, page.printableWidthPt, page.printableHeightPt};
}

// Paper, scan, unreachable border and fold, in points from the paper's corner.
void paintPaper(QPainter& painter, const PreviewScene& scene)
{
    const QRectF paper = paperRect(scene.page);
    painter.fillRect(paper, Qt::white);
    if (!scene.scan.isNull()) {
        painter.save();
        painter.setClipRect(paper);
        painter.setTransform(scene.scanToPaperPoints, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QPointF(0, 0), scene.scan);
        painter.restore();
    }
    // What the printer cannot reach, shaded but see-through so that a scan stays visible.
    QPainterPath unreachable;
    unreachable.addRect(paper);
    unreachable.addRect(printableRect(scene.page));
    painter.fillPath(unreachable, kUnreachable);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAreaEdge, 0, Qt::DashLine));
    painter.drawRect(printableRect(scene.page));
    if (scene.continuousForm) {
        const double fold = slipform::kContinuousFoldInches * 72;
        painter.setPen(QPen(kFormInk, 0, Qt::DashDotLine));
        painter.drawLine(QPointF(0, fold), QPointF(paper.width(), fold));
        painter.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 6));
        painter.drawText(QPointF(4, fold - 2), QStringLiteral("ミシン目"));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(paper);
}

// The form's boxes where the slip's items land with no margins: a user sees which text
// belongs in which box, and how the margins move the texts against them.
void paintOutline(QPainter& painter, const PreviewScene& scene, const CanvasPlacement& placement)
{
    const slipgeometry::DeviceMapping mapping =
        slipgeometry::MakeDeviceMapping({scene.printState.dpiX, scene.printState.dpiY, 0, 0});
    const auto at = [&](int slipX, int slipY) {
        return QPointF(placement.originX + mapping.deviceX(slipX) * placement.dotWidth,
                       placement.originY + mapping.deviceY(slipY) * placement.dotHeight);
    };
    QFont caption(QStringLiteral("ＭＳ Ｐゴシック"));
    caption.setPixelSize(std::max(1, static_cast<int>(std::lround(5 * placement.unitsPerPoint))));
    painter.setFont(caption);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFormInk, 0));
    for (const slipform::Box& box : slipform::Boxes()) {
        const QRectF rect(at(box.x, box.y), at(box.x + box.width, box.y + box.height));
        painter.drawRect(rect);
        if (!box.caption.empty()) {
            // Above the box, or inside it where the paper ends above.
            const double above = -placement.unitsPerPoint;
            const double inside = 6 * placement.unitsPerPoint;
            const double dy = rect.top() + above - 5 * placement.unitsPerPoint < 0 ? inside : above;
            painter.drawText(rect.topLeft() + QPointF(placement.unitsPerPoint, dy),
                             QString::fromStdString(box.caption));
        }
    }
}

// The texts that leave the printable area or run into another box, framed where they land.
void paintMisfits(QPainter& painter, const PreviewScene& scene)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kMisfit, 0.75));
    for (const FitProblem& problem : CheckSlipFit(scene.slip, scene.printState, scene.page)) {
        painter.drawRect(QRectF(problem.leftPt, problem.topPt, problem.widthPt, problem.heightPt));
    }
}

} // namespace

void Paint(QPainter& painter, const PreviewScene& scene, double unitsPerInch)
{
    // Checked first, so that a bad print state paints nothing.
    slipgeometry::MakeDeviceMapping(scene.printState);
    painter.save();
    painter.scale(unitsPerInch / 72, unitsPerInch / 72);
    paintPaper(painter, scene);
    painter.restore();

    painter.save();
    const CanvasPlacement placement = scene.page.placement(unitsPerInch);
    paintOutline(painter, scene, placement);
    QPainterCanvas canvas(painter, placement);
    DrawSlip(scene.slip, scene.printState, canvas);
    painter.restore();

    painter.save();
    painter.scale(unitsPerInch / 72, unitsPerInch / 72);
    paintMisfits(painter, scene);
    painter.restore();
}

QImage RenderImage(const PreviewScene& scene, double dpi)
{
    const QSize size(static_cast<int>(std::ceil(scene.page.paperWidthPt * dpi / 72)),
                     static_cast<int>(std::ceil(scene.page.paperHeightPt * dpi / 72)));
    QImage image(size, QImage::Format_RGB32);
    const int perMeter = static_cast<int>(std::lround(dpi / kMetersPerInch));
    image.setDotsPerMeterX(perMeter);
    image.setDotsPerMeterY(perMeter);
    image.fill(kDesk);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Paint(painter, scene, dpi);
    return image;
}

void WritePng(const QString& path, const PreviewScene& scene, double dpi)
{
    const QImage image = RenderImage(scene, dpi);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        throw std::runtime_error("Cannot write " + path.toStdString());
    }
}

void WritePdf(const QString& path, const PreviewScene& scene)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("Cannot write " + path.toStdString());
    }
    {
        // As a print job's spool file: the paper's page at the printer's horizontal resolution.
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("mivo_Kangaroo"));
        writer.setPageLayout(
            QPageLayout(QPageSize(paperRect(scene.page).size(), QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(scene.page.dpi.x);
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw std::runtime_error("Cannot write " + path.toStdString());
        }
        Paint(painter, scene, scene.page.dpi.x);
        painter.end();
    }
    if (!file.commit()) {
        throw std::runtime_error("Cannot write " + path.toStdString());
    }
}

} // namespace preview
