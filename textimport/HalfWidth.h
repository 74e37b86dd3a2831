#pragma once

#include <string>
#include <string_view>

namespace textimport {

// The platform's full-width to half-width mapping over code page 932 bytes: full-width
// ASCII forms, the full-width blank, katakana (voiced kana as base + ﾞ/ﾟ), the prolonged-
// sound mark and Japanese punctuation become their half-width forms; hiragana and kanji
// stay. A character whose half-width form has no code page 932 form stays as it is.
std::string ToHalfWidth(std::string_view cp932Text);

} // namespace textimport
