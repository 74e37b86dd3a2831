#pragma once

#include "journal/JournalEntry.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The files that tell a shop's platform which orders went out with which tracking number.
// Each platform is a row of a table: encoding, separator, the rows above the data, and what
// each column holds.
namespace shipping {

enum class ShippedColumn
{
    Order,
    Blank, // a column the platform fills itself or that stays empty for a whole order
    TrackingNumber,
    CarrierCode,
    CarrierName,
    ShipDate, // yyyy-MM-dd, the local date the slip was printed
    TrackingUrl,
};

// A carrier value a platform file carries. The user can change it (mivo_shipping.ini), since
// a platform's list of carriers may change; the dialog shows it.
struct CarrierSetting
{
    std::string_view key;   // in the settings file, after "<platform>."
    std::string_view label; // in the dialog
    std::string_view defaultValue;
};

struct ShippedFormat
{
    std::string_view name;
    std::string_view title; // in the dialog
    bool cp932 = false;     // otherwise UTF-8
    char separator = ',';
    std::vector<std::vector<std::string_view>> headRows; // written as they stand
    std::vector<ShippedColumn> columns;
    std::vector<CarrierSetting> carrier; // CarrierCode first, then CarrierName, where present
};

std::span<const ShippedFormat> ShippedFormats();
// Nothing for an unknown name.
const ShippedFormat* FindShippedFormat(std::string_view name);

// The carrier values in force for a format, in the order of its CarrierSetting list.
struct CarrierValues
{
    std::string code;
    std::string name;
};

// The whole file, bytes as stored: lines end in CR LF, cells that hold the separator, a quote
// or a line break are quoted (tabs and line breaks become blanks in a tab-separated file).
std::string RenderShippedFile(const ShippedFormat& format, std::span<const journal::ShipmentRecord> records,
                              const CarrierValues& carrier);

} // namespace shipping
