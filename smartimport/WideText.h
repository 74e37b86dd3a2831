#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text as code points, for rules that look at characters rather than bytes.
namespace smartimport {

using Text = std::u32string;
using TextView = std::u32string_view;

Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// One reading form for every line: full-width ASCII and the full-width blank become their
// ASCII forms, tabs become blanks, half-width katakana becomes full-width (voiced marks joined).
Text NormaliseWidth(TextView text);

// Dashes of every kind between two digits become "-" ("4ー2ー8" -> "4-2-8").
Text NormaliseDigitDashes(TextView text);

bool IsBlank(char32_t c);
bool IsDigit(char32_t c);
bool IsKanjiNumeral(char32_t c);
bool IsDash(char32_t c);
bool IsKana(char32_t c);
bool IsAsciiLetter(char32_t c);

TextView Trim(TextView text);
bool Contains(TextView text, TextView part);
std::size_t CountDigits(TextView text);
// Words separated by blanks.
std::vector<TextView> Words(TextView text);
// ASCII letters lowered, for labels written in any case.
Text LowerAscii(TextView text);

} // namespace smartimport
