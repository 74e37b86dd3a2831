#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// One record of a delimited file and the row it starts on, counted as a spreadsheet counts
// them (the header is row 1; a line break inside quotes does not start a new row).
struct CsvRecord
{
    std::size_t row = 0;
    std::span<const std::string_view> cells;
    // A quote that does not close within kMaxCellLineBreaks line breaks: the record runs on
    // over `swallowedRows` more lines of the file, which count as rows of their own.
    bool unclosedQuote = false;
    std::size_t swallowedRows = 0;
};

// The line breaks a quoted cell may hold: addresses and notes take a few, never dozens.
inline constexpr std::size_t kMaxCellLineBreaks = 20;
// Far above any shop's export and small enough to hold in memory.
inline constexpr std::size_t kMaxCsvCells = 4'000'000;
inline constexpr std::size_t kMaxCsvRecords = 200'000;

// The records of a file. Cells view the text they were read from, which must outlive the
// table: a file of orders is read once and then only looked at, so copying every cell would
// be most of the reading's cost. Only a quoted cell that had to be changed (doubled quotes,
// text after the closing quote) is held by the table itself.
class CsvTable
{
public:
    CsvTable() = default;
    CsvTable(CsvTable&&) = default;
    CsvTable& operator=(CsvTable&&) = default;
    // Records point into the table's own cell list.
    CsvTable(const CsvTable&) = delete;
    CsvTable& operator=(const CsvTable&) = delete;

    std::span<const CsvRecord> records() const { return m_records; }

private:
    friend class CsvParser;
    std::vector<std::string_view> m_cells;
    std::vector<CsvRecord> m_records;
    std::deque<std::string> m_rewritten; // a deque never moves what it holds
};

// RFC 4180 records: fields in double quotes may hold the separator, line breaks and doubled
// quotes; lines end in CR LF or LF. Text after a closing quote is kept as it stands; a quote
// left open, or closed only beyond kMaxCellLineBreaks, marks its record (see CsvRecord), so any
// input gives records. Throws BatchError above kMaxCsvCells cells or kMaxCsvRecords records.
CsvTable ReadCsv(std::string_view text, char separator);

} // namespace batch
