// Arbitrary text set into a numeric field, under arbitrary formats: the first four bytes give
// the lengths, the switches and the marks, the rest is the text. What the field stores is a
// value text within the format's limits, and storing it again changes nothing.
#include "widgets/NumValue.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

constexpr std::array<std::string_view, 4> kMarks{"", "\x81\x8F", "\x89\x7E", "%"}; // "", ￥, 円, %

numvalue::NumFormat FormatFrom(const std::uint8_t* bytes)
{
    numvalue::NumFormat format;
    format.IntegerLength = bytes[0] % 16;
    format.DecimalLength = bytes[1] % 8;
    format.Minus = (bytes[2] & 1) != 0;
    format.Comma = (bytes[2] & 2) != 0;
    format.DecimalFixed = (bytes[2] & 4) != 0;
    format.IntegerFixed = (bytes[2] & 8) != 0;
    format.ZeroEnabled = (bytes[2] & 16) != 0;
    format.LeftMark = kMarks[bytes[3] % 4];
    format.RightMark = kMarks[(bytes[3] / 4) % 4];
    return format;
}

void checkValue(const std::string& value, const numvalue::NumFormat& format)
{
    require(
        std::all_of(value.begin(), value.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }));
    const numvalue::ValueParts parts = numvalue::SplitValue(value);
    require(numvalue::JoinValue(parts) == value);
    require(parts.sign.empty() || format.Minus);
    require(parts.integer.find_first_not_of("0123456789") == std::string::npos);
    require(parts.decimals.find_first_not_of("0123456789") == std::string::npos);
    require(parts.point.empty() || format.DecimalLength > 0);
    require(static_cast<int>(parts.decimals.size()) <= format.DecimalLength);
    require(static_cast<int>(parts.integer.size()) <= std::max(format.IntegerLength, 1));
    if (!format.ZeroEnabled) {
        require(parts.integer.size() < 2 || parts.integer.front() != '0');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) {
        return 0;
    }
    const numvalue::NumFormat format = FormatFrom(data);
    const std::string_view text(reinterpret_cast<const char*>(data) + 4, size - 4);

    const std::string value = numvalue::CleanText(text, format);
    checkValue(value, format);
    if (format.IntegerLength > 0) {
        require(numvalue::CleanText(value, format) == value);
    }

    const std::string display = numvalue::MakeDisplayText(value, format);
    require(display.empty() == numvalue::FormatValue(value, format).empty());
    numvalue::MakeLayoutText(value, format);
    numvalue::MakeMaxText(format);
    return 0;
}
