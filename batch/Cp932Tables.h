#pragma once

#include <string>
#include <string_view>

namespace batch {

// Table-driven forms of the code page 932 conversions of the platform layer, with the same
// results, for whole order files: the platform's converter is built for one field at a time.
// The tables are filled from that converter on first use.

// As cp932::ToUtf8: a byte sequence that is not valid code page 932 becomes "〓".
std::string Cp932ToUtf8(std::string_view bytes);

// As cp932::CanEncode: every character of the UTF-8 text has a code page 932 form.
bool Cp932CanEncode(std::string_view utf8);

} // namespace batch
