#pragma once

#include <string>
#include <string_view>
#include <vector>

// The reshaping of pasted text before its lines are classified. Each step takes the memo's
// lines and gives the lines to write back. All texts are code page 932 byte strings.
namespace textimport {

// Lines read from the memo; the rest are never looked at.
inline constexpr std::size_t kCompactedLines = 16;
// Lines the transfer works on; the clean-up and the split always give this many.
inline constexpr std::size_t kTransferLines = 7;

// Of the first 16 lines, the trimmed ones that are neither blank nor hold a mail or web
// marker, in their order.
std::vector<std::string> CompactLines(const std::vector<std::string>& lines);

// Lines 1-7 without their labels and outer blanks; a line that starts like a number of three
// or more characters, and always line 7, in half width.
std::vector<std::string> CleanLabels(const std::vector<std::string>& lines);

// Lines 1-7, where a line that starts with a postal code followed by at least seven more
// characters keeps the postal code and the rest moves to the next empty line after it
// (or is dropped when there is none).
std::vector<std::string> SplitPostalCodes(const std::vector<std::string>& lines);

// The line trimmed, then without blanks of either width at both ends.
std::string TrimWideBlanks(std::string_view line);

// What a numeric field with default settings makes of the line: the number it starts with.
std::string NumericLead(std::string_view line);

} // namespace textimport
