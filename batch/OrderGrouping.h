#pragma once

#include "batch/BatchSlip.h"
#include "batch/Csv.h"
#include "batch/OrderFormat.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace batch {

using RowValues = std::array<std::string, kFieldCount>;

struct OrderItem
{
    std::string name;
    std::string quantity;
};

// The rows of one order that go to one destination: one parcel, one slip.
struct OrderGroup
{
    std::size_t firstRow = 0;
    RowValues destination; // the cells of the group's first row
    std::vector<OrderItem> items;
};

struct Grouping
{
    std::vector<OrderGroup> groups;
    std::vector<SkippedRow> skipped;
};

// Rows (after the header) into parcels, in the order they first appear. Rows of one order
// with the same destination are one parcel; a row of an order whose destination columns are
// empty is a further item of that order's last parcel. A row with no destination of its
// own and no order to join is skipped with its reason; wholly empty rows are no orders.
// The rows' cells are taken, not copied.
Grouping GroupRows(std::span<CsvRecord> rows, const ColumnMap& columns);

} // namespace batch
