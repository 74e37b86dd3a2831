#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// One character of a UTF-8 text: where it starts, its byte length and its code point.
struct Utf8Char
{
    std::size_t offset = 0;
    std::size_t length = 0;
    char32_t code = 0;
};

// The characters of a UTF-8 text; a malformed byte is a character of its own (U+FFFD).
std::vector<Utf8Char> SplitUtf8(std::string_view text);
// The character at a byte offset, read the same way. Inline: every reader of a text calls it
// once per character.
inline Utf8Char Utf8CharAt(std::string_view text, std::size_t offset)
{
    constexpr char32_t kInvalid = 0xFFFD;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 1;
    char32_t code = lead;
    if (lead < 0x80) {
        return {offset, 1, code};
    }
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        code = lead & 0x07;
    } else {
        return {offset, 1, kInvalid};
    }
    if (offset + length > text.size()) {
        return {offset, 1, kInvalid};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return {offset, 1, kInvalid};
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    return {offset, length, code};
}
// Characters in a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// Bytes of the code page 932 form of a UTF-8 text (see Cp932Width).
std::size_t Cp932Bytes(std::string_view text);

// Bytes the character takes in code page 932: one for ASCII and half-width katakana, two
// for everything else (a character without a form is printed as the two bytes of "〓").
// Inline: called for every character of every address.
inline std::size_t Cp932Width(char32_t code)
{
    return code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F) ? 1 : 2;
}

// Full-width digits, letters and the usual dashes and minus signs as ASCII, for the columns
// that hold numbers; other characters stay.
std::string AsciiDigits(std::string_view text);

// The text without blanks of either width, tabs and line breaks at both ends.
std::string_view TrimBlanks(std::string_view text);

} // namespace batch
