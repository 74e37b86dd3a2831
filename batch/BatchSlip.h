#pragma once

#include "slipprint/Slip.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace batch {

// One slip of a batch: the recipient as the window would hold it (UTF-8, postal code and
// telephone in half width), the goods lines, and what looked wrong.
struct BatchSlip
{
    std::string order;
    std::size_t firstRow = 0; // the row of the file the slip starts on
    SlipAddress recipient;
    std::array<std::string, 3> goods;
    std::string pieces = "1";
    std::vector<std::string> warnings;
    // Why the slip is printed only when the user insists (a batch's --force); empty for most.
    std::string blockedUnlessForced;
};

// A row that gave no slip, and why.
struct SkippedRow
{
    std::size_t row = 0;
    std::string reason;
};

} // namespace batch
