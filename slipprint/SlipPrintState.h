#pragma once

#include <string>

// Where and how finely a slip lands on the paper: the printer's effective resolution and the
// paper feed's registered margins in printer dots, as the decimal texts the window holds.
struct SlipPrintState
{
    std::string dpix;
    std::string dpiy;
    std::string prnTop;
    std::string prnLeft;

    bool operator==(const SlipPrintState&) const = default;
};
