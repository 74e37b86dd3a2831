#pragma once

#include <cstddef>
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

// The records of a comma-separated file as Japan Post writes them: one record a line (CR LF or
// LF), fields optionally in double quotes with "" for a quote, no line breaks inside a field.
// Blank lines are skipped. Throws RecordError for an unterminated or misplaced quote.
std::vector<CsvRecord> splitCsv(std::string_view bytes);

} // namespace postal
