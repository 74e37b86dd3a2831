#pragma once

#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include <string>
#include <string_view>
#include <vector>

// Text as code points, for rules that look at characters rather than bytes.
namespace smartimport {

using Text = std::u32string;
using TextView = std::u32string_view;

// Dashes of every kind between two digits become "-" ("4ー2ー8" -> "4-2-8").
Text normaliseDigitDashes(TextView text);

bool isBlank(char32_t c);
bool isDigit(char32_t c);
bool isKanjiNumeral(char32_t c);
bool isKana(char32_t c);
bool isAsciiLetter(char32_t c);

TextView trimBlanks(TextView text);
bool contains(TextView text, TextView part);
std::size_t countDigits(TextView text);
// The words of a text, separated by blanks.
std::vector<TextView> splitWords(TextView text);
// ASCII letters lowered, for labels written in any case.
Text lowerAscii(TextView text);

} // namespace smartimport
