#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace batch {

enum class Encoding
{
    Utf8,
    Cp932,
};

// "utf-8" or "cp932", as the command line and the dry run name them.
std::string_view EncodingName(Encoding encoding);
// Accepts the usual spellings (utf-8, utf8, cp932, sjis, shift_jis, …); nothing for others.
std::optional<Encoding> ParseEncoding(std::string_view name);

struct DecodedText
{
    std::string utf8;
    Encoding encoding = Encoding::Utf8;
};

// A file's text in UTF-8. Without a forced encoding, a byte order mark or text that is valid
// UTF-8 throughout is UTF-8 and anything else is code page 932. Bytes that are not valid in
// the encoding used become "〓".
DecodedText Decode(std::string_view bytes, std::optional<Encoding> forced = std::nullopt);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values
// beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

} // namespace batch
