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

// A byte the encoding cannot decode, as the decoded text holds it (U+FFFD): unlike "〓", which
// a file may hold, it tells the slips which of them lost a character.
inline constexpr std::string_view kUndecodable = "\xEF\xBF\xBD";

// A file's text in UTF-8. Without a forced encoding, a file that is valid UTF-8 after any byte
// order mark is UTF-8; any other is read in the encoding that leaves fewer bytes undecodable.
// The mark is dropped either way, and undecodable bytes become kUndecodable.
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
    void decideByFaults(std::string_view text, bool bom);

    std::string m_converted;
    std::string_view m_text;
    Encoding m_encoding = Encoding::Utf8;
};

} // namespace batch
