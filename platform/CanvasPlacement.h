#pragma once

// Where a canvas puts device positions on its painter: the painter position of device
// (0, 0), the painter size of one device dot on each axis, and the painter units of one
// point of font size. A printer's dots may differ across and down (120 x 60 dpi); only
// positions follow them, glyphs keep their size in points.
struct CanvasPlacement
{
    double originX = 0;
    double originY = 0;
    double dotWidth = 1;
    double dotHeight = 1;
    // 0: a point is what the painter's device takes it to be.
    double unitsPerPoint = 0;
};
