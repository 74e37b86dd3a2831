#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of code page 932 text: trimming and the memo's line breaks.
namespace textimport {

// Removes bytes 0x00-0x20 at both ends (never the full-width blank).
std::string_view Trim(std::string_view text);
// Removes bytes 0x00-0x20 at the start only.
std::string_view TrimLeft(std::string_view text);

// The lines of a text, broken at "\r\n", "\n" or "\r"; a break at the very end starts no
// further line, so an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);
// The lines joined with "\n".
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace textimport
