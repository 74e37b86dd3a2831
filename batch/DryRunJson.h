#pragma once

#include "batch/OrderFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace batch {

// The dry run's report: format, encoding, the chosen slips with their numbers in the file
// (counted from 1) and warnings, and the skipped rows.
std::string DryRunJson(const OrderFile& file, const std::vector<std::size_t>& chosen);

// A UTF-8 text as a JSON string, quotes included.
std::string JsonString(std::string_view text);

} // namespace batch
