#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Code page 932 (Shift-JIS as Windows writes it): the byte form of every stored text.
// The GUI works in Unicode (UTF-8 here); files and the text-import rules work on these bytes.
namespace cp932 {

// First byte of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte(unsigned char byte);

// Characters in a byte string, a double-byte character counting one. A lead byte at the
// very end counts as one character.
std::size_t CharCount(std::string_view bytes);

// Bytes of the code page 932 form of a character: one for ASCII and half-width katakana, two
// for the rest (a character without a form counts as its replacement "〓").
std::size_t CharWidth(char32_t code);

// Byte length of the code page 932 form of a UTF-8 text (unrepresentable characters count
// as the two bytes of their replacement).
std::size_t ByteLength(std::string_view utf8);

// The code page 932 form of a UTF-8 text, or nothing when a character has no such form.
std::optional<std::string> FromUtf8Strict(std::string_view utf8);

// The code page 932 form of a UTF-8 text; a character without one becomes "〓" so that the
// user sees where something was lost.
std::string FromUtf8(std::string_view utf8);

// True when every character of the UTF-8 text has a code page 932 form.
bool CanEncode(std::string_view utf8);

// The UTF-8 form of code page 932 bytes; a byte sequence that is not valid code page 932
// (a lead byte without its trail byte, an unassigned code) becomes `replacement`.
std::string ToUtf8(std::string_view bytes, std::string_view replacement = "〓");

// ToUtf8 that also counts the sequences it replaced, as CountInvalid would: a reader unsure of
// the encoding learns both in one pass.
std::string ToUtf8(std::string_view bytes, std::string_view replacement, std::size_t& invalidCount);

// The byte sequences that are not valid code page 932, as ToUtf8 counts them.
std::size_t CountInvalid(std::string_view bytes);

namespace detail {
// The system converter's reading, from which ToUtf8's tables are built; for the tests that hold
// the two together.
std::string ToUtf8ByConverter(std::string_view bytes);
} // namespace detail

// The replacement character "〓" in code page 932.
inline constexpr std::string_view kReplacement = "\x81\xAC";

} // namespace cp932
