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

// The same text, viewing the bytes themselves when they are valid UTF-8 already, as most
// files are: a copy of a whole file would be wasted on a reader that only looks at it.
class DecodedView
{
public:
    // The bytes must outlive the view.
    DecodedView(std::string_view bytes, std::optional<Encoding> forced);
    // The text may view the view's own string.
    DecodedView(const DecodedView&) = delete;
    DecodedView& operator=(const DecodedView&) = delete;

    std::string_view text() const { return m_text; }
    Encoding encoding() const { return m_encoding; }

private:
    std::string m_converted;
    std::string_view m_text;
    Encoding m_encoding = Encoding::Utf8;
};

} // namespace batch
