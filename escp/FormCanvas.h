#pragma once

#include "escp/EscpForm.h"
#include "platform/Canvas.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

// A 1-bit form at 180 dots per inch drawn the way a QPainterCanvas draws it, dot for dot,
// but fast enough for a batch: each distinct text (with its font, colours and its position
// within a byte) is drawn once onto a small picture and then copied byte-wise wherever it
// stands, in this slip or the next. The form is reused from slip to slip.
class FormCanvas : public Canvas
{
public:
    explicit FormCanvas(const EscpForm& form);

    // A blank form for the next slip; the drawn texts are kept.
    void clear();
    const QImage& picture() const { return m_picture; }

    void setFontName(const std::string& name) override { m_fontName = name; }
    void setFontSize(int points) override { m_points = points; }
    void setFontColor(std::uint32_t rgb) override { m_fontColor = rgb; }
    void setBrushColor(std::uint32_t rgb) override { m_brushColor = rgb; }
    void textOut(int x, int y, const std::string& text) override;
    void lineOut(int x1, int y1, int x2, int y2) override;

    // What a text turns into: `painted` holds the value of every dot the text touches (ink or
    // its opaque cell), `kept` marks the dots it leaves alone. Both are a whole number of
    // bytes from the picture's left, the text drawn at (kPad + shift, kPad).
    struct Piece
    {
        QImage painted;
        QImage kept;
        int firstRow = 0;
        int lastRow = -1;
        int firstByte = 0;
        int lastByte = -1;
        bool fits = true; // false: the text reaches the piece's edge and is drawn on the form
    };

private:
    // Draws on the form itself with the canvas's state, for what a piece cannot stand for.
    void drawOnForm(const std::function<void(Canvas&)>& draw);
    void configure(Canvas& canvas) const;
    Piece drawPiece(const std::string& text, int shift) const;
    void copyPiece(const Piece& piece, int left, int top);

    QImage m_picture;
    std::string m_fontName;
    int m_points = 10;
    std::uint32_t m_fontColor = 0x000000;
    std::uint32_t m_brushColor = 0xFFFFFF;
    std::unordered_map<std::string, Piece> m_pieces;
};
