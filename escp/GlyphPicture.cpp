#include "escp/GlyphPicture.h"

#include "escp/BitImageBands.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

QImage DrawGlyphPicture(const std::string& utf8Char, const std::string& fontName, int cellHeight)
{
    QFont font(QString::fromStdString(fontName));
    font.setPixelSize(cellHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    const QString text = QString::fromStdString(utf8Char);
    QImage probe = escp::blankPicture(1, 1);
    const QFontMetrics metrics(font, &probe);
    const int width = std::max(1, metrics.horizontalAdvance(text));
    QImage picture = escp::blankPicture(width, cellHeight);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The em box fills the cell: the baseline sits where the font puts it in an em.
    const int baseline = cellHeight * metrics.ascent() / std::max(1, metrics.ascent() + metrics.descent());
    painter.drawText(0, baseline, text);
    painter.end();
    return picture;
}
