#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Tests that decide what one pasted line is. Each is a pure function of one code page 932
// line and accepts any bytes.
namespace textimport {

// Non-overlapping occurrences of `pattern` in `text`, found left to right without ever
// starting inside a double-byte character. Past the end the text reads as zero bytes.
int CountOccurrences(std::string_view text, std::string_view pattern);
// `text` without the occurrences CountOccurrences would count.
std::string RemoveOccurrences(std::string_view text, std::string_view pattern);

// A fixed list of patterns counted together: the sum of CountOccurrences over the list, found
// in one walk over the text instead of one walk per pattern.
class PatternSet
{
public:
    explicit PatternSet(const std::vector<std::string>& patterns);
    int count(std::string_view text) const;

private:
    std::vector<std::string> m_patterns;
    // Indexes into m_patterns by the pattern's first byte.
    std::array<std::vector<std::size_t>, 256> m_byFirstByte;
};

enum class ZipTelVerdict
{
    PostalCode,  // exactly eight digits and hyphens
    Telephone,   // more than ten characters, at most one of them not a digit or hyphen
    AddressLike, // more than ten characters, three or more of them not digits or hyphens
    Undetermined,
};

// The postal-code/telephone test (the form's SpeedButton_ZipTel_Chk).
ZipTelVerdict ZipTelCheck(std::string_view text);
// The verdict as the form wrote it: "〒", "TEL", "ADD" or "〒/電話番工判断" (UTF-8).
std::string_view VerdictText(ZipTelVerdict verdict);

// True when the text is exactly one of the 47 prefecture names.
bool IsPrefecture(std::string_view text);

struct AddressScore
{
    std::size_t characters = 0; // of the trimmed text, a double-byte character counting one
    int score = 0;              // digits, hyphens and address words found
};

// How much the trimmed text looks like an address.
AddressScore ScoreAddress(std::string_view text);

// Mail and web markers in the text; a line with any is a mail or web line.
int MailWebMarkerCount(std::string_view text);

} // namespace textimport
