#pragma once

#include "shipping/Manifest.h"

class Canvas;

// The driver's list on A4 portrait paper, drawn through the slips' canvas with the slips'
// fonts. Positions are dots of 1/180 inch from the paper's top-left corner.
namespace shipping {

inline constexpr int kManifestDpi = 180;
inline constexpr int kA4WidthDots = 1488;  // 210 mm
inline constexpr int kA4HeightDots = 2105; // 297 mm

// Slip lines on each page; the total takes one more line after the last slip.
inline constexpr int kManifestLinesPerPage = 41;

int ManifestPageCount(const Manifest& manifest);
// `page` counts from 0.
void DrawManifestPage(const Manifest& manifest, int page, Canvas& canvas);

} // namespace shipping
