#pragma once

#include "batch/OrderFormat.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

class BatchError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The columns of a generic file from a mapping "zip=郵便番号,address1=3,…": each field key
// names a column by its header or by its number counted from 1. Throws BatchError for an
// unknown key, a column the header does not have, or a mapping without an address or name.
ColumnMap ParseColumnMap(std::string_view mapping, const std::vector<std::string>& header);

} // namespace batch
