#pragma once

#include <string>
#include <string_view>

// One reading form for text typed in either width: the folds the readers of order files,
// order mails and postal codes share.
namespace widthfold {

// Dashes of every kind people type between digits, including the long-vowel marks that
// Japanese input methods produce for the minus key.
bool isDash(char32_t c);

// Full-width ASCII as ASCII and the full-width blank as a blank; other characters stay.
char32_t narrowAscii(char32_t c);

// The UTF-8 text with full-width ASCII, the full-width blank and every dash (as "-") in ASCII,
// for cells that hold numbers; other characters stay.
std::string asciiForm(std::string_view utf8);

// Full-width ASCII and the full-width blank as ASCII, tabs as blanks, half-width katakana as
// full-width (a voiced mark joined to the letter before it).
std::u32string foldWidth(std::u32string_view text);

// The UTF-8 text without blanks of either width, tabs and line breaks at both ends.
std::string_view trimBlanks(std::string_view utf8);

} // namespace widthfold
