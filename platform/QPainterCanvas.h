#pragma once

#include "platform/Canvas.h"
#include "platform/CanvasPlacement.h"

#include <QColor>
#include <QFont>

class QPainter;

// The canvas over any QPaintDevice that a QPainter draws on (a PDF writer, a printer, a
// preview). Device positions go where the placement puts them; by default they are painter
// units and font sizes in points follow the device's resolution, as on a printer device
// context.
class QPainterCanvas : public Canvas
{
public:
    explicit QPainterCanvas(QPainter& painter, const CanvasPlacement& placement = {});

    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void setFontColor(std::uint32_t rgb) override;
    void setBrushColor(std::uint32_t rgb) override;
    void textOut(int x, int y, const std::string& text) override;
    void lineOut(int x1, int y1, int x2, int y2) override;

private:
    QPainter& m_painter;
    CanvasPlacement m_placement;
    QFont m_font;
    QColor m_fontColor = Qt::black;
    QColor m_brushColor = Qt::white;
};
