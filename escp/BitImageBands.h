#pragma once

#include <QImage>

#include <string>

// A 1-bit picture (ink = colour index 1) as 24-pin bit image (ESC * 39).
namespace escp {

// The rows [top, top + 24) of the picture as one line of bit image at the current vertical
// position, the picture's column 0 at dot `originX`. Empty columns at the start and long
// empty runs are skipped with ESC $; a start between two 1/60-inch steps begins the
// graphics up to two blank columns earlier. Nothing for a band without ink.
void appendBand(std::string& out, const QImage& picture, int top, int originX);

// The whole picture from top-of-form: bands where there is ink, blank rows skipped with
// ESC J. Ends on the last band's line, never below it.
void appendPicture(std::string& out, const QImage& picture);

// A white picture of the size whose ink the two functions above send.
QImage blankPicture(int width, int height);

} // namespace escp
