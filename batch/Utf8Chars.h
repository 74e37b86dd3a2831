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
// The character at a byte offset, read the same way.
Utf8Char Utf8CharAt(std::string_view text, std::size_t offset);
// Characters in a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// Bytes of the code page 932 form of a UTF-8 text (see Cp932Width).
std::size_t Cp932Bytes(std::string_view text);

// Bytes the character takes in code page 932: one for ASCII and half-width katakana, two
// for everything else (a character without a form is printed as the two bytes of "〓").
std::size_t Cp932Width(char32_t code);

// Full-width digits, letters and the usual dashes and minus signs as ASCII, for the columns
// that hold numbers; other characters stay.
std::string AsciiDigits(std::string_view text);

// The text without blanks of either width, tabs and line breaks at both ends.
std::string_view TrimBlanks(std::string_view text);

} // namespace batch
