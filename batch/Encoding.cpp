#include "batch/Encoding.h"

#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

} // namespace

std::string_view EncodingName(Encoding encoding)
{
    return encoding == Encoding::Utf8 ? "utf-8" : "cp932";
}

std::optional<Encoding> ParseEncoding(std::string_view name)
{
    static const std::array<std::string_view, 2> utf8Names = {"utf-8", "utf8"};
    static const std::array<std::string_view, 6> cp932Names = {"cp932",     "sjis",        "shift_jis",
                                                               "shift-jis", "windows-31j", "ms932"};
    const std::string key = lower(name);
    if (std::find(utf8Names.begin(), utf8Names.end(), key) != utf8Names.end()) {
        return Encoding::Utf8;
    }
    if (std::find(cp932Names.begin(), cp932Names.end(), key) != cp932Names.end()) {
        return Encoding::Cp932;
    }
    return std::nullopt;
}

DecodedView::DecodedView(std::string_view bytes, std::optional<Encoding> forced)
{
    // A byte order mark decides only when the rest agrees: tools put one in front of code
    // page 932 text too.
    const bool bom = bytes.starts_with(kBom);
    const std::string_view text = bom ? bytes.substr(kBom.size()) : bytes;
    const bool validUtf8 = (!forced || *forced == Encoding::Utf8) && utf8::isValid(text);
    if (validUtf8) {
        m_encoding = Encoding::Utf8;
        m_text = text;
        return;
    }
    if (forced) {
        m_encoding = *forced;
        m_converted =
            m_encoding == Encoding::Utf8 ? utf8::repaired(text, kUndecodable) : cp932::ToUtf8(text, kUndecodable);
        m_text = m_converted;
        return;
    }
    decideByFaults(text, bom);
}

// The encoding with fewer undecodable bytes; a tie goes to what the byte order mark says, else
// to code page 932, as the older shop systems write it. Code page 932 is read first, as it
// mostly wins; UTF-8 faults are counted only as far as they could still win.
void DecodedView::decideByFaults(std::string_view text, bool bom)
{
    std::size_t cp932Faults = 0;
    m_converted = cp932::ToUtf8(text, kUndecodable, cp932Faults);
    const std::size_t utf8Faults = utf8::countMalformedUpTo(text, cp932Faults + 1);
    const bool utf8Wins = utf8Faults < cp932Faults || (utf8Faults == cp932Faults && bom);
    m_encoding = utf8Wins ? Encoding::Utf8 : Encoding::Cp932;
    if (utf8Wins) {
        m_converted = utf8::repaired(text, kUndecodable);
    }
    m_text = m_converted;
}

DecodedText Decode(std::string_view bytes, std::optional<Encoding> forced)
{
    const DecodedView decoded(bytes, forced);
    return {std::string(decoded.text()), decoded.encoding()};
}

} // namespace batch
