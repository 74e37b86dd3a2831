#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// What a column of an order export means for the slip.
enum class Field : std::size_t
{
    Order,       // order number: rows of one order are one parcel per destination
    Destination, // the platform's own destination number within an order
    Zip,         // whole postal code, or its first part when Zip2 is given
    Zip2,
    Prefecture,
    City,
    Address1,
    Address2, // building and room
    Address3,
    Name, // whole name
    FamilyName,
    GivenName,
    Tel, // whole number, or its first part when Tel2 and Tel3 are given
    Tel2,
    Tel3,
    Item,
    Quantity,
    Count
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::Count);

// The key of a field in a column mapping (`zip=…,address1=…`).
std::string_view FieldKey(Field field);
std::optional<Field> FieldFromKey(std::string_view key);

// The header names one field may carry in one format, the first found wins.
struct ColumnRule
{
    Field field;
    std::vector<std::string_view> headers;
    bool required = false; // the format is recognised only when such columns are all there
};

// A shop platform's export, as data: how its header names map to slip fields.
struct OrderFormat
{
    std::string_view id;    // as --format and the dry run name it
    std::string_view label; // as the window shows it
    char separator = ',';
    std::vector<ColumnRule> columns;
};

// Every platform format; the generic one, whose columns the user maps, is not among them.
const std::vector<OrderFormat>& KnownFormats();
// The generic format's id.
inline constexpr std::string_view kGenericFormat = "generic";
// A known format by its id or label; nothing for an unknown name.
const OrderFormat* FindFormat(std::string_view name);

// Which column (0-based) holds each field; nothing when the file has none.
using ColumnMap = std::array<std::optional<std::size_t>, kFieldCount>;

// The columns of a format in a header row; nothing when a required column is missing.
std::optional<ColumnMap> ResolveColumns(const OrderFormat& format, const std::vector<std::string>& header);

} // namespace batch
