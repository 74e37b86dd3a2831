#pragma once

#include <cstdint>
#include <string>

// The drawing surface of a printer job, as the slip drawing uses it: a font chosen by name
// and size in points, a font color, a brush color, and text put at a device position
// (printer dots) with the top-left of its first character cell there. Texts are UTF-8.
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(int points) = 0;
    // Colors are 0xRRGGBB.
    virtual void setFontColor(std::uint32_t rgb) = 0;
    virtual void setBrushColor(std::uint32_t rgb) = 0;
    // Drawn opaque on the brush color.
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // A straight line one dot wide in the font color, both ends included.
    virtual void lineOut(int x1, int y1, int x2, int y2) = 0;
};
