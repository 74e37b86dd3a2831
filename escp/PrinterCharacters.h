#pragma once

#include <string>
#include <string_view>
#include <vector>

// How each character of a text reaches a Japanese 24-pin printer: a single byte (ASCII and
// half-width katakana), a JIS code pair in kanji mode (JIS X 0208 rows 1-8 and 16-84, the
// rows every such printer has), or, for anything else, a small picture of the glyph.
namespace escp {

enum class CharKind
{
    SingleByte,
    Kanji,
    Picture,
};

struct PrinterChar
{
    CharKind kind = CharKind::Picture;
    std::string bytes; // the byte or the JIS pair; empty for a picture
    std::string utf8;  // the character itself
};

// The characters of a UTF-8 text; control characters and malformed bytes are left out,
// having nothing to print.
std::vector<PrinterChar> PrinterChars(std::string_view utf8);

// The JIS X 0208 code of a two-byte code page 932 character (rows beyond 94 for the
// user-defined and IBM areas).
std::pair<int, int> ShiftJisToJis(unsigned char lead, unsigned char trail);
std::pair<unsigned char, unsigned char> JisToShiftJis(int first, int second);

bool IsPrinterKanjiRow(int row);

} // namespace escp
