#pragma once

#include "batch/OrderFormat.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// What went wrong, in English for the command line and, where the window shows it, in the
// user's language as well.
class BatchError : public std::runtime_error
{
public:
    explicit BatchError(const std::string& message, std::string windowText = {})
        : std::runtime_error(message), m_windowText(std::move(windowText))
    {}

    // The window's wording; the message where there is none.
    std::string windowText() const { return m_windowText.empty() ? what() : m_windowText; }

private:
    std::string m_windowText;
};

// The columns of a generic file from a mapping "zip=郵便番号,address1=3,…": each field key
// names a column by its header or by its number counted from 1. Throws BatchError for an
// unknown key, a column the header does not have, or a mapping without an address or name.
ColumnMap ParseColumnMap(std::string_view mapping, const std::vector<std::string>& header);

} // namespace batch
