#include "platform/QPainterCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace {
QColor fromRgb(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFFu));
}
} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, const CanvasPlacement& placement)
    : m_painter(painter), m_placement(placement)
{
    // Sizes are in points at the device's own resolution, so the device must be the
    // reference for metrics (QFont's default follows the screen).
    m_font.setStyleStrategy(QFont::PreferDefault);
    setFontSize(10);
}

void QPainterCanvas::setFontName(const std::string& name)
{
    m_font.setFamily(QString::fromStdString(name));
}

void QPainterCanvas::setFontSize(int points)
{
    // Qt turns points into painter units at the device's resolution; a placement with its
    // own point size asks for the size that comes out right.
    const int deviceDpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 0;
    if (m_placement.unitsPerPoint > 0 && deviceDpi > 0) {
        m_font.setPointSizeF(points * m_placement.unitsPerPoint * 72.0 / deviceDpi);
    } else {
        m_font.setPointSize(points);
    }
}

void QPainterCanvas::setFontColor(std::uint32_t rgb)
{
    m_fontColor = fromRgb(rgb);
}

void QPainterCanvas::setBrushColor(std::uint32_t rgb)
{
    m_brushColor = fromRgb(rgb);
}

void QPainterCanvas::textOut(int x, int y, const std::string& text)
{
    const QString string = QString::fromStdString(text);
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, m_painter.device());
    // Opaque on the brush color, as a printer device context draws text by default.
    const QPointF at(m_placement.originX + x * m_placement.dotWidth, m_placement.originY + y * m_placement.dotHeight);
    const QRectF cell(at, QSizeF(metrics.horizontalAdvance(string), metrics.height()));
    m_painter.fillRect(cell, m_brushColor);
    m_painter.setPen(m_fontColor);
    m_painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), string);
}

void QPainterCanvas::lineOut(int x1, int y1, int x2, int y2)
{
    // Through dot centres, one dot wide across, so that a line from dot a to dot b covers both.
    const auto centre = [this](int x, int y) {
        return QPointF(m_placement.originX + (x + 0.5) * m_placement.dotWidth,
                       m_placement.originY + (y + 0.5) * m_placement.dotHeight);
    };
    m_painter.setPen(QPen(m_fontColor, m_placement.dotWidth, Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(centre(x1, y1), centre(x2, y2));
}
