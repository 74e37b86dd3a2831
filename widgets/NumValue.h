#pragma once

#include <string>
#include <string_view>

// The value logic of the numeric field, free of any widget: filtering arbitrary text into a
// value text, leading-zero suppression, display formatting and the layout templates.
// All texts are code page 932 byte strings; a value text is "-"? digits ("." digits)?.
namespace numvalue {

// The formatting properties of a numeric field, with the field's defaults.
struct NumFormat
{
    int IntegerLength = 9;
    int DecimalLength = 3;
    bool Minus = true;
    bool Comma = true;
    bool DecimalFixed = false;
    bool IntegerFixed = false;
    bool ZeroEnabled = false;
    std::string LeftMark;
    std::string RightMark;
};

struct ValueParts
{
    std::string sign;
    std::string integer;
    std::string point;
    std::string decimals;
};

ValueParts SplitValue(std::string_view value);
std::string JoinValue(const ValueParts& parts);
std::string InsertCommas(std::string_view digits);
std::string FormatValue(std::string_view value, const NumFormat& format);
std::string MakeDisplayText(std::string_view value, const NumFormat& format);
std::string FilterText(std::string_view text, const NumFormat& format);
std::string SuppressZeros(std::string_view value, const NumFormat& format);
std::string MakeLayoutText(std::string_view value, const NumFormat& format);
std::string MakeMaxText(const NumFormat& format);

// What setting a field's text stores: SuppressZeros(FilterText(text)).
std::string CleanText(std::string_view text, const NumFormat& format);

} // namespace numvalue
