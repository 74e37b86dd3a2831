#include "Encoding.h"

#include "Cp932Tables.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementUtf8 = "〓";

// Length of the well-formed UTF-8 sequence at the start of `rest`, 0 when there is none.
std::size_t utf8SequenceAt(std::string_view rest)
{
    const auto byte = [&rest](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (rest.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

std::string utf8WithReplacements(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t n = utf8SequenceAt(bytes);
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
        if (static_cast<unsigned char>(bytes.front()) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t n = utf8SequenceAt(bytes);
        if (n == 0) {
            return false;
        }
        bytes.remove_prefix(n);
    }
    return true;
}

DecodedText Decode(std::string_view bytes, std::optional<Encoding> forced)
{
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    const std::string_view text = bom ? bytes.substr(kBom.size()) : bytes;
    const bool validUtf8 = (!forced || *forced == Encoding::Utf8) && IsValidUtf8(text);
    const Encoding encoding = forced ? *forced : (bom || validUtf8 ? Encoding::Utf8 : Encoding::Cp932);
    if (encoding == Encoding::Utf8) {
        return {validUtf8 ? std::string(text) : utf8WithReplacements(text), encoding};
    }
    return {Cp932ToUtf8(bytes), encoding};
}

} // namespace batch
