#include "widgets/NumValue.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace numvalue {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Full-width forms that a numeric field understands, as code page 932 codes.
constexpr unsigned kWideZero = 0x824F;
constexpr unsigned kWideNine = 0x8258;
constexpr unsigned kWideMinus = 0x817C;
constexpr unsigned kWidePoint = 0x8144;
constexpr unsigned kWideComma = 0x8143;

// Turns full-width digits, minus and point into ASCII and drops full-width commas; stops at
// any other double-byte character and at a broken one.
std::string narrowNumericChars(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!cp932::IsLeadByte(byte)) {
            out.push_back(text[i]);
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        const unsigned code = (byte << 8) | static_cast<unsigned char>(text[i + 1]);
        if (code >= kWideZero && code <= kWideNine) {
            out.push_back(static_cast<char>('0' + (code - kWideZero)));
        } else if (code == kWideMinus) {
            out.push_back('-');
        } else if (code == kWidePoint) {
            out.push_back('.');
        } else if (code != kWideComma) {
            break;
        }
        i += 2;
    }
    return out;
}

// The leading run that can belong to a number: commas dropped, one point, a minus only first.
std::string validPrefix(std::string_view text, const NumFormat& format)
{
    std::string out;
    bool pointSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',') {
            continue;
        }
        if (c == '.') {
            if (format.DecimalLength == 0 || pointSeen) {
                break;
            }
            pointSeen = true;
        } else if (c == '-') {
            if (!format.Minus || i != 0) {
                break;
            }
        } else if (!isDigit(c)) {
            break;
        }
        out.push_back(c);
    }
    return out;
}

// Cuts surplus decimals; empties a value whose integer part is too long.
std::string applyLengths(std::string value, const NumFormat& format)
{
    if (value.empty()) {
        return value;
    }
    const int negative = value.find('-') != std::string::npos ? 1 : 0;
    const std::size_t point = value.find('.');
    if (point == std::string::npos) {
        if (static_cast<int>(value.size()) - negative > format.IntegerLength) {
            value.clear();
        }
        return value;
    }
    const std::size_t decimals = value.size() - point - 1;
    if (static_cast<int>(decimals) > format.DecimalLength) {
        value.resize(point + 1 + static_cast<std::size_t>(std::max(format.DecimalLength, 0)));
    }
    if (static_cast<int>(point) - negative > format.IntegerLength) {
        value.clear();
    }
    return value;
}

} // namespace

ValueParts SplitValue(std::string_view value)
{
    ValueParts parts;
    std::string_view rest = value;
    if (!rest.empty() && rest.front() == '-') {
        parts.sign = "-";
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    if (point == std::string_view::npos) {
        parts.integer = std::string(rest);
    } else {
        parts.integer = std::string(rest.substr(0, point));
        parts.point = ".";
        parts.decimals = std::string(rest.substr(point + 1));
    }
    return parts;
}

std::string JoinValue(const ValueParts& parts)
{
    return parts.sign + parts.integer + parts.point + parts.decimals;
}

std::string InsertCommas(std::string_view digits)
{
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
    return out;
}

std::string FormatValue(std::string_view value, const NumFormat& format)
{
    ValueParts parts = SplitValue(value);
    if (format.Comma) {
        parts.integer = InsertCommas(parts.integer);
    }
    if (format.DecimalFixed) {
        const auto length = static_cast<std::size_t>(std::max(format.DecimalLength, 0));
        parts.decimals = (parts.decimals + std::string(length, '0')).substr(0, length);
        if (length > 0) {
            parts.point = ".";
        }
    }
    if ((format.IntegerFixed || format.DecimalFixed) && parts.integer.empty()) {
        parts.integer = "0";
    }
    return JoinValue(parts);
}

std::string MakeDisplayText(std::string_view value, const NumFormat& format)
{
    std::string formatted = FormatValue(value, format);
    if (formatted.empty()) {
        return formatted;
    }
    return format.LeftMark + formatted + format.RightMark;
}

std::string FilterText(std::string_view text, const NumFormat& format)
{
    return applyLengths(validPrefix(narrowNumericChars(text), format), format);
}

std::string SuppressZeros(std::string_view value, const NumFormat& format)
{
    if (format.ZeroEnabled) {
        return std::string(value);
    }
    const bool negative = value.find('-') != std::string_view::npos;
    std::string_view body = negative ? value.substr(std::min<std::size_t>(1, value.size())) : value;
    const std::size_t integerEnd = std::min(body.find('.'), body.size());
    std::size_t zeros = 0;
    while (zeros < integerEnd && body[zeros] == '0') {
        ++zeros;
    }
    std::string rest(body.substr(zeros));
    if (rest.empty() && zeros > 0) {
        rest = "0";
    }
    if (!rest.empty() && rest.front() == '.') {
        rest.insert(rest.begin(), '0');
    }
    return negative ? "-" + rest : rest;
}

std::string MakeLayoutText(std::string_view value, const NumFormat& format)
{
    ValueParts parts = SplitValue(value);
    if (format.IntegerFixed) {
        parts.integer = std::string(static_cast<std::size_t>(std::max(format.IntegerLength, 0)), '0');
        if (format.Minus) {
            parts.sign = "-";
        }
    }
    if ((format.IntegerFixed || format.DecimalFixed) && parts.integer.empty()) {
        parts.integer = "0";
    }
    if (format.DecimalFixed) {
        parts.point = ".";
        parts.decimals = std::string(static_cast<std::size_t>(std::max(format.DecimalLength, 0)), '0');
    }
    if (format.Comma) {
        parts.integer = InsertCommas(parts.integer);
    }
    return JoinValue(parts);
}

std::string MakeMaxText(const NumFormat& format)
{
    std::string integer(static_cast<std::size_t>(std::max(format.IntegerLength, 0)), '0');
    if (format.Comma) {
        integer = InsertCommas(integer);
    }
    return std::string(format.Minus ? "-" : "") + integer + "." +
           std::string(static_cast<std::size_t>(std::max(format.DecimalLength, 0)), '0');
}

std::string CleanText(std::string_view text, const NumFormat& format)
{
    return SuppressZeros(FilterText(text, format), format);
}

} // namespace numvalue
