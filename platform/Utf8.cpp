#include "platform/Utf8.h"

#include <array>

namespace utf8 {

namespace detail {

Char charAtRare(std::string_view text, std::size_t offset)
{
    const unsigned char lead = byteAt(text, offset);
    const Char malformed{offset, 1, kReplacementCharacter, false};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return malformed;
    }
    if (text.size() - offset < length) {
        return malformed;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char follow = byteAt(text, offset + i);
        if (!isContinuation(follow)) {
            return malformed;
        }
        code = (code << 6) | (follow & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return malformed;
    }
    return {offset, length, code, true};
}

} // namespace detail

namespace {

template <typename Visit> void forEachChar(std::string_view text, const Visit& visit)
{
    for (std::size_t offset = 0; offset < text.size();) {
        const Char c = charAt(text, offset);
        visit(c);
        offset += c.length;
    }
}

// Writes the code point's bytes at `at` and returns the end of them.
char* encodeInto(char* at, char32_t codePoint)
{
    if (codePoint < 0x80) {
        *at++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *at++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *at++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *at++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *at++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *at++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *at++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *at++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *at++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return at;
}

} // namespace

void append(std::string& out, char32_t codePoint)
{
    std::array<char, 4> bytes{};
    out.append(bytes.data(), encodeInto(bytes.data(), codePoint));
}

// Every byte of an order file passes here, so runs of ASCII and of plain three-byte characters get loops of
// their own.
std::size_t countMalformedUpTo(std::string_view text, std::size_t limit)
{
    std::size_t malformed = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && detail::byteAt(text, at) < 0x80) {
            ++at;
        }
        while (detail::plainThreeByteLength(text.substr(at)) != 0) {
            at += 3;
        }
        if (at == text.size() || detail::byteAt(text, at) < 0x80) {
            continue;
        }
        const Char c = detail::charAtRare(text, at);
        at += c.length;
        malformed += c.valid ? 0 : 1;
        if (malformed >= limit) {
            break;
        }
    }
    return malformed;
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

std::size_t encodedLength(std::u32string_view text)
{
    std::size_t length = 0;
    for (const char32_t c : text) {
        length += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    return length;
}

std::string encode(std::u32string_view text)
{
    // Measured first and then written in place: appending byte by byte cost three times as much.
    std::string out(encodedLength(text), '\0');
    char* at = out.data();
    for (const char32_t c : text) {
        at = encodeInto(at, c);
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
