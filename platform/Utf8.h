#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF. The steps are inline
// because the readers of whole order files take one per character.
namespace utf8 {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of a UTF-8 text: where it starts, its byte length and its code point.
struct Char
{
    std::size_t offset = 0;
    std::size_t length = 0;
    char32_t code = 0;
    bool valid = true;
};

namespace detail {

inline unsigned char byteAt(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

inline bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace detail

// The character at a byte offset; a malformed sequence gives a one-byte character U+FFFD that is
// not valid, so that a reader moves on by one byte.
inline Char charAt(std::string_view text, std::size_t offset)
{
    const unsigned char lead = detail::byteAt(text, offset);
    if (lead < 0x80) {
        return {offset, 1, lead, true};
    }
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
        const unsigned char follow = detail::byteAt(text, offset + i);
        if (!detail::isContinuation(follow)) {
            return malformed;
        }
        code = (code << 6) | (follow & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return malformed;
    }
    return {offset, length, code, true};
}

// Reads the code point at `pos` and moves `pos` past it; false for a malformed sequence.
inline bool next(std::string_view text, std::size_t& pos, char32_t& codePoint)
{
    const Char c = charAt(text, pos);
    if (!c.valid) {
        return false;
    }
    codePoint = c.code;
    pos += c.length;
    return true;
}

// The length of the well-formed sequence at the start of `text`; 0 when there is none.
inline std::size_t sequenceLength(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    const Char c = charAt(text, 0);
    return c.valid ? c.length : 0;
}

void append(std::string& out, char32_t codePoint);

bool isValid(std::string_view text);
// Bytes of the text that begin no well-formed sequence.
std::size_t countMalformed(std::string_view text);

// The characters of a text, read as charAt reads them.
std::vector<Char> split(std::string_view text);
// Characters in a text, a malformed byte counting one.
std::size_t length(std::string_view text);
// The first `count` characters of a text, never cut inside one.
std::string_view firstChars(std::string_view text, std::size_t count);

// The text as code points, a malformed byte becoming U+FFFD; and back.
std::u32string decode(std::string_view text);
std::string encode(std::u32string_view text);
// The text with every malformed byte as `replacement`.
std::string repaired(std::string_view text, std::string_view replacement);

} // namespace utf8
