#include "StrToInt.h"

#include <charconv>
#include <limits>

int StrToInt(std::string_view text)
{
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const bool whole =
        !digits.empty() && digits.front() != '-' && error == std::errc() && end == digits.data() + digits.size();
    const long long value = negative ? -magnitude : magnitude;
    if (!whole || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    }
    return static_cast<int>(value);
}
