#pragma once

#include <string>
#include <string_view>

// How addresses are written beyond prefecture, city and town: Kyoto's street directions,
// Sapporo's 条, 字 and 大字, numerals in kanji or digits, old and new forms of place-name kanji.
namespace postal {

// Inline, and numerals told by a switch rather than a search of a list: every character of
// every address asks.

// ASCII or full-width.
inline bool isAddressDigit(char32_t c)
{
    return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９');
}

inline bool isKanjiNumeral(char32_t c)
{
    switch (c) {
    case U'〇':
    case U'一':
    case U'二':
    case U'三':
    case U'四':
    case U'五':
    case U'六':
    case U'七':
    case U'八':
    case U'九':
    case U'十':
    case U'百':
    case U'千':
        return true;
    default:
        return false;
    }
}

inline bool isAddressDash(char32_t c)
{
    return c == U'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == U'ー' || c == 0x2500 || c == 0xFF0D ||
           c == 0xFF70;
}

inline bool isAddressBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000;
}

// The end of a Kyoto street direction the text starts with ("河原町通三条上る", "烏丸通四条下ル",
// "四条通高倉西入"), or 0. A direction word counts after a 通, or without one when it ends in る or ル.
std::size_t streetDirectionEnd(std::u32string_view text);

// The form two spellings of one place share: blanks dropped, full-width digits as ASCII, kanji
// numerals as digits (北十一条 -> 北11条), 条 dropped (北1西2), ヶ/ケ/が/ヵ/カ as ケ, 之/の as ノ,
// old kanji forms as new ones, and 大字 or 字 at the start dropped.
std::u32string comparablePlace(std::u32string_view text);

// Code page 932 bytes of a character: one for ASCII and half-width katakana, two for the rest.
// Inline: every character of an address is measured, some more than once.
inline std::size_t cp932Width(char32_t c)
{
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
}

std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);

} // namespace postal
