#pragma once

#include "postal/PostalDirectory.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace postal {

// A Japan Post file that cannot be used. The message names the file and, for a fault in its
// content, the line: "KEN_ALL.CSV の 12 行目: 項目の数が 14 です（15 のはずです）".
class JapanPostFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The entries of one of Japan Post's downloads, told apart by their columns: KEN_ALL.CSV
// (code page 932, a long town split over consecutive lines), utf_ken_all.csv (UTF-8, one line
// each; 15 columns both) and JIGYOSYO.CSV (business codes, 13 columns). `name` is the file's
// name for the messages. Throws JapanPostFileError.
std::vector<PostalEntry> parseJapanPostFile(std::string_view bytes, const std::string& name);

// Far above the largest of Japan Post's files (utf_ken_all.csv, under 20 MB).
inline constexpr std::uintmax_t kMaxJapanPostFileBytes = std::uintmax_t{64} * 1024 * 1024;

// The entries of the file; one that is missing, not a regular file (never waited on) or above
// kMaxJapanPostFileBytes is refused with a JapanPostFileError naming it.
std::vector<PostalEntry> readJapanPostFile(const std::filesystem::path& file);

} // namespace postal
