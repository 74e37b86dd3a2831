#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The few UTF-8 steps the postal code needs; plain and strict (no overlong forms, no surrogates).
namespace postal::utf8 {

// Reads the code point at `pos` and moves `pos` past it; false for a malformed sequence.
bool next(std::string_view text, std::size_t& pos, char32_t& codePoint);

void append(std::string& out, char32_t codePoint);

bool isValid(std::string_view text);

} // namespace postal::utf8
