#pragma once

#include <cstddef>
#include <string_view>

namespace utf8 {

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 when there is none:
// no overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t SequenceLength(std::string_view text);

// Whether `text` is well-formed UTF-8 throughout.
bool IsValid(std::string_view text);

} // namespace utf8
