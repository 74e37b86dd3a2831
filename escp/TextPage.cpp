#include "escp/TextPage.h"

#include "escp/BitImageBands.h"
#include "escp/EscpCommands.h"
#include "escp/GlyphPicture.h"
#include "escp/PrinterCharacters.h"
#include "escp/PrinterFontSize.h"

#include <algorithm>
#include <memory>

namespace escp {
namespace {

// One stretch printed from one place: characters of one kind and size, or one band of a
// glyph picture.
struct Piece
{
    int x = 0;
    int y = 0;
    CharKind kind = CharKind::SingleByte;
    std::string bytes;
    PrinterFontSize size;
    std::shared_ptr<const QImage> picture;
    int pictureTop = 0;
};

bool isBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; }) || text == "\xE3\x80\x80";
}

int advance(const PrinterChar& c, const PrinterFontSize& size)
{
    return c.kind == CharKind::Kanji ? size.kanjiAdvance() : size.singleByteAdvance();
}

void addPictureBands(std::vector<Piece>& pieces, const TextCanvas::Text& text, const PrinterChar& c, int x,
                     const PrinterFontSize& size, int& cursor)
{
    auto picture = std::make_shared<const QImage>(DrawGlyphPicture(c.utf8, text.fontName, size.cellHeight()));
    for (int top = 0; top < picture->height(); top += kBandHeight) {
        pieces.push_back({x, text.y + top, CharKind::Picture, {}, size, picture, top});
    }
    cursor += picture->width();
}

void addPieces(std::vector<Piece>& pieces, const TextCanvas::Text& text)
{
    const PrinterFontSize size = NearestPrinterFontSize(text.points);
    int cursor = text.x;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t open = kNone;
    for (const PrinterChar& c : PrinterChars(text.text)) {
        if (c.kind == CharKind::Picture) {
            open = kNone;
            addPictureBands(pieces, text, c, cursor, size, cursor);
            continue;
        }
        if (cursor < 0) {
            cursor += advance(c, size);
            continue;
        }
        if (open == kNone || pieces[open].kind != c.kind) {
            pieces.push_back({cursor, text.y, c.kind, {}, size, nullptr, 0});
            open = pieces.size() - 1;
        }
        pieces[open].bytes += c.bytes;
        cursor += advance(c, size);
    }
}

// What the printer is set to, so that a setting is sent only when it changes.
class PrinterModes
{
public:
    explicit PrinterModes(std::string& out) : m_out(out) {}

    void size(const PrinterFontSize& wanted)
    {
        if (!m_sizeSent || m_size.doubled != wanted.doubled) {
            appendSingleByteDouble(m_out, wanted.doubled);
            appendKanjiQuadruple(m_out, wanted.doubled);
        }
        if (!m_sizeSent || m_size.singleBytePitch != wanted.singleBytePitch) {
            appendSingleBytePitch(m_out, wanted.singleBytePitch);
        }
        if (!m_sizeSent || m_size.kanjiRightSpace != wanted.kanjiRightSpace) {
            appendKanjiSpacing(m_out, 0, wanted.kanjiRightSpace);
        }
        m_size = wanted;
        m_sizeSent = true;
    }

    void kanji(bool on)
    {
        if (on != m_kanji) {
            on ? appendKanjiOn(m_out) : appendKanjiOff(m_out);
            m_kanji = on;
        }
    }

private:
    std::string& m_out;
    PrinterFontSize m_size;
    bool m_sizeSent = false;
    bool m_kanji = false;
};

void appendPiece(std::string& out, PrinterModes& modes, const Piece& piece)
{
    if (piece.kind == CharKind::Picture) {
        modes.kanji(false);
        appendBand(out, *piece.picture, piece.pictureTop, piece.x);
        return;
    }
    modes.size(piece.size);
    appendHorizontalPosition(out, piece.x);
    modes.kanji(piece.kind == CharKind::Kanji);
    out += piece.bytes;
}

} // namespace

void appendTextPage(std::string& out, const std::vector<TextCanvas::Text>& texts, const EscpForm& form)
{
    std::vector<Piece> pieces;
    for (const TextCanvas::Text& text : texts) {
        if (!isBlank(text.text)) {
            addPieces(pieces, text);
        }
    }
    std::erase_if(pieces, [&form](const Piece& p) { return p.y < 0 || p.y >= form.lengthDots; });
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    PrinterModes modes(out);
    int headY = 0;
    for (const Piece& piece : pieces) {
        if (piece.y != headY) {
            appendCarriageReturn(out);
            appendVerticalMove(out, piece.y - headY);
            headY = piece.y;
        }
        appendPiece(out, modes, piece);
    }
    modes.kanji(false);
}

} // namespace escp
