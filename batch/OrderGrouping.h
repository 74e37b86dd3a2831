#pragma once

#include "batch/BatchSlip.h"
#include "batch/Csv.h"
#include "batch/OrderFormat.h"

#include <array>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

using RowValues = std::array<std::string_view, kFieldCount>;

struct OrderItem
{
    std::string_view name;
    std::string_view quantity;
};

// A row with more or fewer cells than the header: an unquoted separator or a lost cell
// moves every column after it.
struct MisshapenRow
{
    std::size_t row = 0;
    std::size_t cells = 0;
    std::size_t headerCells = 0;
};

// The rows of one order that go to one destination: one parcel, one slip.
struct OrderGroup
{
    std::size_t firstRow = 0;
    RowValues destination; // the cells of the group's first row
    std::vector<OrderItem> items;
    std::vector<MisshapenRow> misshapen; // its rows whose cells do not match the header
};

// The groups' texts are the rows' cleaned cells: views of the rows' cells where cleaning
// left them as they were, else texts the grouping holds.
struct Grouping
{
    std::vector<OrderGroup> groups;
    std::vector<SkippedRow> skipped;
    std::deque<std::string> cleanedCells; // a deque never moves what it holds
};

// Rows (after the header) into parcels, in the order they first appear. Rows of one order
// with the same destination are one parcel; a row of an order whose destination columns are
// empty is a further item of that order's last parcel. A row with no destination of its
// own and no order to join is skipped with its reason; wholly empty rows are no orders.
// The grouping views the rows' cells, which must outlive it. With `headerCells`, a row of
// another length is noted in its parcel.
Grouping GroupRows(std::span<const CsvRecord> rows, const ColumnMap& columns, std::size_t headerCells = 0);

} // namespace batch
