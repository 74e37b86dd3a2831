#include "escp/FormCanvas.h"

#include "escp/BitImageBands.h"
#include "platform/QPainterCanvas.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace {

// Room around a text for ink outside its cell (overhangs, descenders below the line height),
// a whole number of bytes.
constexpr int kPad = 16;
// A point is 2.5 dots at 180 dots per inch, as on the driver's page.
constexpr double kDotsPerPoint = escp::kDotsPerInch / 72.0;

int floorDiv8(int value)
{
    return value >= 0 ? value / 8 : -((7 - value) / 8);
}

void drawOn(QImage& picture, double originX, double originY, const std::function<void(Canvas&)>& draw)
{
    QPainter painter;
    if (!painter.begin(&picture)) {
        throw std::runtime_error("Cannot draw the slip picture");
    }
    QPainterCanvas canvas(painter, CanvasPlacement{originX, originY, 1, 1, kDotsPerPoint});
    draw(canvas);
    painter.end();
}

// The rows and bytes holding a dot the text touched; whether none is on the picture's edge.
void measure(FormCanvas::Piece& piece)
{
    const auto bytes = static_cast<int>(piece.kept.bytesPerLine());
    const int widthBytes = piece.kept.width() / 8;
    piece.firstRow = piece.kept.height();
    piece.firstByte = widthBytes;
    for (int row = 0; row < piece.kept.height(); ++row) {
        const uchar* kept = piece.kept.constScanLine(row);
        for (int byte = 0; byte < std::min(bytes, widthBytes); ++byte) {
            if (kept[byte] == 0xFF) {
                continue;
            }
            piece.firstRow = std::min(piece.firstRow, row);
            piece.lastRow = row;
            piece.firstByte = std::min(piece.firstByte, byte);
            piece.lastByte = std::max(piece.lastByte, byte);
        }
    }
    piece.fits = piece.lastRow < 0 || (piece.firstRow > 0 && piece.lastRow < piece.kept.height() - 1 &&
                                       piece.firstByte > 0 && piece.lastByte < widthBytes - 1);
}

} // namespace

FormCanvas::FormCanvas(const EscpForm& form) : m_picture(escp::blankPicture(form.widthDots, form.lengthDots)) {}

void FormCanvas::clear()
{
    m_picture.fill(0);
}

void FormCanvas::configure(Canvas& canvas) const
{
    canvas.setFontName(m_fontName);
    canvas.setFontSize(m_points);
    canvas.setFontColor(m_fontColor);
    canvas.setBrushColor(m_brushColor);
}

void FormCanvas::drawOnForm(const std::function<void(Canvas&)>& draw)
{
    drawOn(m_picture, 0, 0, [&](Canvas& canvas) {
        configure(canvas);
        draw(canvas);
    });
}

FormCanvas::Piece FormCanvas::drawPiece(const std::string& text, int shift) const
{
    // Generous: every character a full em wide and the line two ems high.
    const int em = static_cast<int>(m_points * kDotsPerPoint) + 1;
    const int width = ((static_cast<int>(text.size()) + 1) * em + 2 * kPad + 8 + 7) / 8 * 8;
    const int height = 2 * em + 2 * kPad;
    const auto drawText = [&](Canvas& canvas) {
        configure(canvas);
        canvas.textOut(0, 0, text);
    };
    // Drawn on white and on black: a dot that comes out the same both times was painted.
    Piece piece;
    QImage onWhite = escp::blankPicture(width, height);
    QImage onBlack = escp::blankPicture(width, height);
    onBlack.fill(1);
    drawOn(onWhite, kPad + shift, kPad, drawText);
    drawOn(onBlack, kPad + shift, kPad, drawText);
    piece.painted = onWhite;
    piece.kept = escp::blankPicture(width, height);
    for (int row = 0; row < height; ++row) {
        const uchar* white = onWhite.constScanLine(row);
        const uchar* black = onBlack.constScanLine(row);
        uchar* kept = piece.kept.scanLine(row);
        for (int byte = 0; byte < width / 8; ++byte) {
            kept[byte] = static_cast<uchar>(white[byte] ^ black[byte]);
        }
    }
    measure(piece);
    return piece;
}

void FormCanvas::copyPiece(const Piece& piece, int left, int top)
{
    const int formBytes = m_picture.width() / 8;
    const int firstByte = std::max(piece.firstByte, -floorDiv8(left));
    const int lastByte = std::min(piece.lastByte, formBytes - 1 - floorDiv8(left));
    const int firstRow = std::max(piece.firstRow, -top);
    const int lastRow = std::min(piece.lastRow, m_picture.height() - 1 - top);
    for (int row = firstRow; row <= lastRow; ++row) {
        const uchar* painted = piece.painted.constScanLine(row);
        const uchar* kept = piece.kept.constScanLine(row);
        uchar* form = m_picture.scanLine(top + row) + floorDiv8(left);
        for (int byte = firstByte; byte <= lastByte; ++byte) {
            form[byte] = static_cast<uchar>((form[byte] & kept[byte]) | (painted[byte] & ~kept[byte]));
        }
    }
}

void FormCanvas::textOut(int x, int y, const std::string& text)
{
    const int shift = x - floorDiv8(x) * 8;
    std::string key = m_fontName;
    key.append(1, '\0')
        .append(std::to_string(m_points))
        .append(1, '\0')
        .append(std::to_string(m_fontColor))
        .append(1, '\0')
        .append(std::to_string(m_brushColor))
        .append(1, '\0')
        .append(std::to_string(shift))
        .append(1, '\0')
        .append(text);
    auto found = m_pieces.find(key);
    if (found == m_pieces.end()) {
        found = m_pieces.emplace(std::move(key), drawPiece(text, shift)).first;
    }
    const Piece& piece = found->second;
    // A form whose width is not whole bytes keeps the painter's clipping at its right edge.
    if (!piece.fits || m_picture.width() % 8 != 0) {
        drawOnForm([&](Canvas& canvas) { canvas.textOut(x, y, text); });
        return;
    }
    copyPiece(piece, x - shift - kPad, y - kPad);
}

void FormCanvas::lineOut(int x1, int y1, int x2, int y2)
{
    drawOnForm([&](Canvas& canvas) { canvas.lineOut(x1, y1, x2, y2); });
}
