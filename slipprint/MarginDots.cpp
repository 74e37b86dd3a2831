#include "slipprint/MarginDots.h"

#include "platform/StrToInt.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace margins {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Rounded on the digits themselves, so that a half is exact.
std::optional<int> roundedDecimal(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos) {
        return std::nullopt;
    }
    const bool negative = text[pos] == '-';
    if (text[pos] == '-' || text[pos] == '+') {
        ++pos;
    }
    std::int64_t whole = 0;
    bool digits = false;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, digits = true) {
        whole = whole * 10 + (text[pos] - '0');
        if (whole > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
    }
    if (pos == text.size() || text[pos] != '.') {
        return std::nullopt;
    }
    const std::size_t fraction = ++pos;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    if (pos != text.size() || (!digits && pos == fraction)) {
        return std::nullopt;
    }
    if (pos > fraction && text[fraction] >= '5') {
        ++whole;
    }
    if (whole > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -whole : whole);
}

} // namespace

int MarginDots(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    if (const std::optional<int> rounded = roundedDecimal(text)) {
        return *rounded;
    }
    return StrToInt(text);
}

std::string WholeMarginText(std::string_view text)
{
    if (const std::optional<int> rounded = roundedDecimal(text)) {
        return std::to_string(*rounded);
    }
    return std::string(text);
}

} // namespace margins
