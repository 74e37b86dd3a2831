#include "shipping/ManifestPdf.h"

#include "platform/AtomicFile.h"
#include "platform/QPainterCanvas.h"
#include "shipping/ManifestDrawing.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

namespace shipping {

void PaintManifest(const Manifest& manifest, QPagedPaintDevice& device, QPainter& painter, double unitsPerInch)
{
    const double perDot = unitsPerInch / kManifestDpi;
    QPainterCanvas canvas(painter, {0, 0, perDot, perDot, unitsPerInch / 72.0});
    const int pages = ManifestPageCount(manifest);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            throw std::runtime_error("cannot add a page to the list");
        }
        DrawManifestPage(manifest, page, canvas);
    }
}

std::string ManifestPdf(const Manifest& manifest)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("mivo_Kangaroo"));
        writer.setTitle(QStringLiteral("出荷一覧 %1").arg(manifest.date.toString(Qt::ISODate)));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(kManifestDpi);
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw std::runtime_error("cannot draw the list");
        }
        PaintManifest(manifest, writer, painter, kManifestDpi);
        painter.end();
    }
    return buffer.data().toStdString();
}

void WriteManifestPdf(const Manifest& manifest, const std::filesystem::path& file)
{
    AtomicFile::Write(file, ManifestPdf(manifest));
}

} // namespace shipping
