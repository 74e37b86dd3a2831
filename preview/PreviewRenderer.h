#pragma once

#include "printers/PageGeometry.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <QImage>
#include <QString>
#include <QTransform>

#include <optional>

class QPainter;

// What a preview shows: the page of the current printer and feed, the slip with its print
// state (effective resolution and registered margins), and optionally the user's scan of the
// form with its placement on the paper.
struct PreviewScene
{
    PageGeometry page;
    // 4-inch continuous stationery: the form folds every four inches.
    bool continuousForm = false;
    Slip slip;
    SlipPrintState printState;
    QImage scan;
    QTransform scanToPaperPoints;
};

namespace preview {

// Paints the scene on a painter whose unit is 1 / unitsPerInch inch from the paper's top-left
// corner; the slip goes through the same canvas placement and drawing as a print job. Throws,
// painting nothing, for a print state without a resolution.
void Paint(QPainter& painter, const PreviewScene& scene, double unitsPerInch);

// The scene as an image of the paper at `dpi` pixels per inch.
QImage RenderImage(const PreviewScene& scene, double dpi);

// The scene written to a file: PNG at `dpi`, or a vector PDF of the paper's size. Throws
// std::runtime_error when the file cannot be written.
void WritePng(const QString& path, const PreviewScene& scene, double dpi);
void WritePdf(const QString& path, const PreviewScene& scene);

} // namespace preview
