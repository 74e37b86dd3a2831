#pragma once

#include "batch/BatchSlip.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// Which slips of a batch to print, as 0-based indices in file order: all, a list of numbers
// and ranges counted from 1 ("1,3-5"), or everything from slip N on (to resume after a jam).
// Both given: the listed slips from N on. Throws BatchError for a malformed list, a number
// of 0 or a number beyond the batch.
std::vector<std::size_t> ChooseSlips(std::size_t count, std::string_view only, std::optional<std::size_t> from);

// The numbers of chosen slips (0-based indices in) as a list counted from 1 with ranges:
// {0, 2, 3, 4} → "1,3-5"; "none" for no slip.
std::string SlipNumbers(const std::vector<std::size_t>& chosen);

// Takes the slips printed only when forced (BatchSlip::blockedUnlessForced) out of the chosen
// ones and returns them, for "すべて印刷" and the batch command without --force.
std::vector<std::size_t> HoldBackBlocked(const std::vector<BatchSlip>& slips, std::vector<std::size_t>& chosen);

} // namespace batch
