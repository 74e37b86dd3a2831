#pragma once

#include "platform/CanvasPlacement.h"
#include "printers/PrinterService.h"

// The page of the current printer and paper size: the paper, the part of it the driver can
// print on, and the printer's dots. Lengths are points (1/72 inch) from the paper's top-left
// corner, y downwards. Device position (0, 0) is the printable area's top-left corner.
struct PageGeometry
{
    double paperWidthPt = 0;
    double paperHeightPt = 0;
    double printableLeftPt = 0;
    double printableTopPt = 0;
    double printableWidthPt = 0;
    double printableHeightPt = 0;
    // Dots per inch across and down.
    Resolution dpi{180, 180};

    // The paper position, in points, of a device position in dots.
    double paperXPt(double dotX) const { return printableLeftPt + dotX * 72.0 / dpi.x; }
    double paperYPt(double dotY) const { return printableTopPt + dotY * 72.0 / dpi.y; }

    // The placement of device positions for a painter that draws on this paper in
    // `unitsPerInch` units per inch from the paper's corner (a PDF writer at the printer's
    // resolution, or a preview at any scale).
    CanvasPlacement placement(double unitsPerInch) const
    {
        const double perPoint = unitsPerInch / 72.0;
        return {printableLeftPt * perPoint, printableTopPt * perPoint, unitsPerInch / dpi.x, unitsPerInch / dpi.y,
                perPoint};
    }

    bool operator==(const PageGeometry&) const = default;
};

// The page cut to `lengthPt` (stationery fed in lengths of its own), its corner and width
// kept and the driver's unprintable bottom kept at the bottom; unchanged for 0.
PageGeometry WithPageLength(PageGeometry page, double lengthPt);
