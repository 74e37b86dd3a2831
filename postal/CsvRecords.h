#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace postal {

// A fault in an outside file, with the line it was found on (1 for the first).
class RecordError : public std::runtime_error
{
public:
    RecordError(std::size_t line, const std::string& what) : std::runtime_error(what), m_line(line) {}
    std::size_t line() const { return m_line; }

private:
    std::size_t m_line;
};

struct CsvRecord
{
    std::size_t line;
    std::vector<std::string> fields; // unquoted, still in the file's encoding
};

// The most lines a file of Japan Post's may hold: twice the whole residential list.
inline constexpr std::size_t kMaxCsvLines = 250'000;

// What every record of a file must look like: the column counts the first record may have;
// every later one must have the first one's.
struct CsvShape
{
    std::span<const std::size_t> columnCounts;
    std::string describe; // the counts as the message names them: "15 か 13"
};

// The records of a comma-separated file as Japan Post writes them: one record a line (CR LF or
// LF), fields optionally in double quotes with "" for a quote, no line breaks inside a field.
// Blank lines are skipped. Each line is checked as it is read, so that a file of anything else
// stops at its first line rather than being held whole. Throws RecordError for an unterminated
// or misplaced quote, a line of the wrong shape or more than kMaxCsvLines lines.
std::vector<CsvRecord> splitCsv(std::string_view bytes, const CsvShape& shape);

} // namespace postal
