#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Strict UTF-8 steps: no overlong forms, no surrogates, nothing beyond U+10FFFF.
namespace utf8 {

// Reads the code point at `pos` and moves `pos` past it; false for a malformed sequence.
bool next(std::string_view text, std::size_t& pos, char32_t& codePoint);

void append(std::string& out, char32_t codePoint);

// The length of the well-formed sequence at the start of `text`; 0 when there is none.
std::size_t sequenceLength(std::string_view text);

bool isValid(std::string_view text);

} // namespace utf8
