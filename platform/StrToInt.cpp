#include "platform/StrToInt.h"

#include "platform/Cp932.h"

#include <charconv>
#include <limits>

namespace {

// The text as the user reads it: UTF-8, with control characters shown as their pictures
// (U+2400 and on, U+2421 for DEL) so that a NUL cannot end the message early.
std::string Visible(std::string_view text)
{
    std::string shown;
    for (const char c : cp932::ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            shown += "\xE2\x90";
            shown.push_back(static_cast<char>(0x80 + byte));
        } else if (byte == 0x7F) {
            shown += "\xE2\x90\xA1";
        } else {
            shown.push_back(c);
        }
    }
    return shown;
}

} // namespace

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
        throw EConvertError("'" + Visible(text) + "' is not a valid integer value");
    }
    return static_cast<int>(value);
}
