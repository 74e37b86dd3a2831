#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// One record of a delimited file and the row it starts on, counted as a spreadsheet counts
// them (the header is row 1; a line break inside quotes does not start a new row).
struct CsvRecord
{
    std::size_t row = 0;
    std::vector<std::string> cells;
};

// RFC 4180 records: fields in double quotes may hold the separator, line breaks and doubled
// quotes; lines end in CR LF or LF. Text after a closing quote is kept as it stands and a
// quote left open runs to the end of the file, so any input gives records.
std::vector<CsvRecord> ReadCsv(std::string_view text, char separator);

} // namespace batch
