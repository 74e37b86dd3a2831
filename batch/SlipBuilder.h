#pragma once

#include "batch/BatchSlip.h"
#include "batch/OrderGrouping.h"

namespace batch {

// Longest goods line of the form, in characters.
inline constexpr std::size_t kGoodsLineChars = 30;

// The slip of one parcel: postal code "ddd-dddd", the address in two lines, family and
// given name joined by a full-width blank, a domestic telephone number, the first three
// items as goods lines (a fourth and further ones counted as "他N点" on the third), one
// piece. Postal code and telephone take the window's half-width rule; a character the form
// cannot print becomes "〓" and is reported.
BatchSlip BuildSlip(const OrderGroup& group);

// The warning on a slip one of whose rows has more or fewer cells than the header.
std::string MisshapenRowWarning(const MisshapenRow& row);

// The goods lines of a parcel's items.
std::array<std::string, 3> GoodsLines(const std::vector<OrderItem>& items);

} // namespace batch
