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

// 3 for a three-byte sequence that can be neither overlong nor a surrogate, whatever its
// continuation bytes (U+1000-U+CFFF, U+E000-U+FFFF: kana, kanji and full-width forms, most of a
// Japanese text), else 0.
inline std::size_t plainThreeByteLength(std::string_view bytes)
{
    if (bytes.size() < 3) {
        return 0;
    }
    const unsigned char lead = byteAt(bytes, 0);
    const bool plainLead = (lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF;
    return plainLead && isContinuation(byteAt(bytes, 1)) && isContinuation(byteAt(bytes, 2)) ? 3 : 0;
}

inline char32_t threeByteCode(std::string_view bytes)
{
    return static_cast<char32_t>((byteAt(bytes, 0) & 0x0F) << 12 | (byteAt(bytes, 1) & 0x3F) << 6 |
                                 (byteAt(bytes, 2) & 0x3F));
}

// The characters charAt leaves to a call: two- and four-byte sequences, the three-byte ones
// near the overlong and surrogate bounds, and malformed bytes.
Char charAtRare(std::string_view text, std::size_t offset);

} // namespace detail

// The character at a byte offset; a malformed sequence gives a one-byte character U+FFFD that is
// not valid, so that a reader moves on by one byte.
inline Char charAt(std::string_view text, std::size_t offset)
{
    const unsigned char lead = detail::byteAt(text, offset);
    if (lead < 0x80) {
        return {offset, 1, lead, true};
    }
    if (const std::size_t plain = detail::plainThreeByteLength(text.substr(offset)); plain != 0) {
        return {offset, plain, detail::threeByteCode(text.substr(offset)), true};
    }
    return detail::charAtRare(text, offset);
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
// countMalformed that stops counting at `limit`: enough to tell whether a text has fewer.
std::size_t countMalformedUpTo(std::string_view text, std::size_t limit);

// The characters of a text, read as charAt reads them.
std::vector<Char> split(std::string_view text);
// Characters in a text, a malformed byte counting one.
std::size_t length(std::string_view text);
// The first `count` characters of a text, never cut inside one.
std::string_view firstChars(std::string_view text, std::size_t count);

// The text as code points, a malformed byte becoming U+FFFD; and back.
std::u32string decode(std::string_view text);
std::string encode(std::u32string_view text);
// The bytes encode gives.
std::size_t encodedLength(std::u32string_view text);
// The text with every malformed byte as `replacement`.
std::string repaired(std::string_view text, std::string_view replacement);

} // namespace utf8
