#pragma once

#include "shipping/ShippedFormat.h"

#include <QDate>

#include <cstdint>
#include <string>
#include <vector>

namespace journal {
class Journal;
}

namespace shipping {

// A platform's shipped file for the slips printed on the dates, and what was left out.
struct ShippedExport
{
    std::string content;           // the file's bytes
    std::vector<std::int64_t> ids; // the entries in it, to be marked once the file is stored
    std::size_t withoutNumber = 0; // printed with an order number but no tracking number yet
    std::size_t withoutOrder = 0;  // printed without an order number (typed in the window)
};

// Printed entries with an order number and a tracking number, in print order, dated by the
// day they were printed: the same days give the same file.
ShippedExport ExportShipped(journal::Journal& journal, const ShippedFormat& format, const QDate& from, const QDate& to,
                            const CarrierValues& carrier);

// "番号なし 3件、注文番号なし 1件", empty when nothing was left out.
std::string LeftOutSummary(const ShippedExport& shipped);

} // namespace shipping
