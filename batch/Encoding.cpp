#include "batch/Encoding.h"

#include "batch/Cp932Tables.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementUtf8 = "〓";

std::string utf8WithReplacements(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t n = utf8::sequenceLength(bytes);
        if (n == 0) {
            out.append(kReplacementUtf8);
            bytes.remove_prefix(1);
            continue;
        }
        out.append(bytes.substr(0, n));
        bytes.remove_prefix(n);
    }
    return out;
}

unsigned char byteAt(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of an ASCII character or of a three-byte sequence that can be neither overlong
// nor a surrogate, whatever its continuation bytes (U+1000-U+CFFF, U+E000-U+FFFF: kana, kanji
// and full-width forms, most of a Japanese file); 0 for anything the strict reader must decide.
std::size_t plainLength(std::string_view bytes)
{
    const unsigned char lead = byteAt(bytes, 0);
    if (lead < 0x80) {
        return 1;
    }
    const bool plainLead = (lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF;
    return plainLead && bytes.size() >= 3 && isContinuation(byteAt(bytes, 1)) && isContinuation(byteAt(bytes, 2)) ? 3
                                                                                                                  : 0;
}

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

bool IsValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        std::size_t n = plainLength(bytes);
        if (n == 0) {
            n = utf8::sequenceLength(bytes);
        }
        if (n == 0) {
            return false;
        }
        bytes.remove_prefix(n);
    }
    return true;
}

DecodedView::DecodedView(std::string_view bytes, std::optional<Encoding> forced)
{
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    const std::string_view text = bom ? bytes.substr(kBom.size()) : bytes;
    const bool validUtf8 = (!forced || *forced == Encoding::Utf8) && IsValidUtf8(text);
    m_encoding = forced ? *forced : (bom || validUtf8 ? Encoding::Utf8 : Encoding::Cp932);
    if (m_encoding == Encoding::Utf8 && validUtf8) {
        m_text = text;
        return;
    }
    m_converted = m_encoding == Encoding::Utf8 ? utf8WithReplacements(text) : Cp932ToUtf8(bytes);
    m_text = m_converted;
}

DecodedText Decode(std::string_view bytes, std::optional<Encoding> forced)
{
    const DecodedView decoded(bytes, forced);
    return {std::string(decoded.text()), decoded.encoding()};
}

} // namespace batch
