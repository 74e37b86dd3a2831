#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The integer-conversion error of the platform, raised for a text that is not a whole number.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A decimal whole number in the 32-bit range: optional leading blanks, an optional sign,
// digits. Anything else (empty, a fraction, trailing text) raises EConvertError
// "'<text>' is not a valid integer value", the code page 932 text shown in UTF-8 with its
// control characters made visible.
int StrToInt(std::string_view text);
