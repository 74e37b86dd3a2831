#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A file of tracking numbers from elsewhere (a scanner's log, a spreadsheet): lines of
// `order,number` or `id,number`, UTF-8 or code page 932, with an optional header line that
// says which (`order,number` or `id,number`). Without a header, the first cell is looked up as
// an order number first and then as an entry id.
namespace shipping {

enum class TrackingKey
{
    OrderOrId,
    Order,
    Id,
};

struct TrackingLine
{
    std::size_t row = 0; // as a spreadsheet counts rows
    TrackingKey key = TrackingKey::OrderOrId;
    std::string keyText;
    std::string number; // digits only
};

struct TrackingLineError
{
    std::size_t row = 0;
    std::string message; // Japanese, for the user
};

struct TrackingFile
{
    std::vector<TrackingLine> lines;
    std::vector<TrackingLineError> errors;
};

// Any bytes give a result; lines that cannot be read are errors and the others stand.
TrackingFile ReadTrackingFile(std::string_view bytes);

} // namespace shipping
