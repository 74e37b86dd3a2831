#include "QPainterCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace {
QColor fromRgb(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFFu));
}
} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter) : m_painter(painter)
{
    // Sizes are in points at the device's own resolution, so the device must be the
    // reference for metrics (QFont's default follows the screen).
    m_font = QFont(QString(), 10);
    m_font.setStyleStrategy(QFont::PreferDefault);
}

void QPainterCanvas::setFontName(const std::string& name)
{
    m_font.setFamily(QString::fromStdString(name));
}

void QPainterCanvas::setFontSize(int points)
{
    m_font.setPointSize(points);
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
    // Opaque on the brush colour, as a printer device context draws text by default.
    const QRectF cell(x, y, metrics.horizontalAdvance(string), metrics.height());
    m_painter.fillRect(cell, m_brushColor);
    m_painter.setPen(m_fontColor);
    m_painter.drawText(QPointF(x, y + metrics.ascent()), string);
}

void QPainterCanvas::lineOut(int x1, int y1, int x2, int y2)
{
    // Dot centres, so that a line from dot a to dot b covers both.
    m_painter.setPen(QPen(m_fontColor, 1.0, Qt::SolidLine, Qt::SquareCap));
    m_painter.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}
