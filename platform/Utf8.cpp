#include "platform/Utf8.h"

namespace utf8 {
namespace {

// The length of an ASCII character or of a three-byte sequence that can be neither overlong
// nor a surrogate, whatever its continuation bytes (U+1000-U+CFFF, U+E000-U+FFFF: kana, kanji
// and full-width forms, most of a Japanese file); 0 for anything charAt must decide.
std::size_t plainLength(std::string_view bytes)
{
    const unsigned char lead = detail::byteAt(bytes, 0);
    if (lead < 0x80) {
        return 1;
    }
    const bool plainLead = (lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF;
    return plainLead && bytes.size() >= 3 && detail::isContinuation(detail::byteAt(bytes, 1)) &&
                   detail::isContinuation(detail::byteAt(bytes, 2))
               ? 3
               : 0;
}

template <typename Visit> void forEachChar(std::string_view text, const Visit& visit)
{
    for (std::size_t offset = 0; offset < text.size();) {
        const Char c = charAt(text, offset);
        visit(c);
        offset += c.length;
    }
}

// Counts malformed bytes up to `limit`: a check for validity stops at the first.
std::size_t countMalformedUpTo(std::string_view text, std::size_t limit)
{
    std::size_t malformed = 0;
    while (!text.empty() && malformed < limit) {
        std::size_t n = plainLength(text);
        if (n == 0) {
            const Char c = charAt(text, 0);
            n = c.length;
            malformed += c.valid ? 0 : 1;
        }
        text.remove_prefix(n);
    }
    return malformed;
}

} // namespace

void append(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

bool isValid(std::string_view text)
{
    return countMalformedUpTo(text, 1) == 0;
}

std::size_t countMalformed(std::string_view text)
{
    return countMalformedUpTo(text, text.size());
}

std::vector<Char> split(std::string_view text)
{
    std::vector<Char> chars;
    chars.reserve(text.size());
    forEachChar(text, [&chars](const Char& c) { chars.push_back(c); });
    return chars;
}

std::size_t length(std::string_view text)
{
    std::size_t count = 0;
    forEachChar(text, [&count](const Char&) { ++count; });
    return count;
}

std::string_view firstChars(std::string_view text, std::size_t count)
{
    std::size_t offset = 0;
    for (std::size_t i = 0; i < count && offset < text.size(); ++i) {
        offset += charAt(text, offset).length;
    }
    return text.substr(0, offset);
}

std::u32string decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    forEachChar(text, [&out](const Char& c) { out.push_back(c.code); });
    return out;
}

std::string encode(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (const char32_t c : text) {
        append(out, c);
    }
    return out;
}

std::string repaired(std::string_view text, std::string_view replacement)
{
    std::string out;
    out.reserve(text.size());
    forEachChar(text, [&](const Char& c) {
        if (c.valid) {
            out.append(text.substr(c.offset, c.length));
        } else {
            out.append(replacement);
        }
    });
    return out;
}

} // namespace utf8
