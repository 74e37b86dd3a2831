#include "slipprint/SlipGeometry.h"

#include <stdexcept>

namespace slipgeometry {
namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::int64_t RoundHalfAway(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    const std::int64_t remainder = numerator % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator) {
        return quotient + (numerator < 0 ? -1 : 1);
    }
    return quotient;
}

std::int64_t ScaleFromDpi(int dpi)
{
    const std::int64_t numerator = static_cast<std::int64_t>(dpi) * 10000;
    std::int64_t quotient = numerator / kSlipUnitsPerInch;
    const std::int64_t twiceRemainder = 2 * (numerator % kSlipUnitsPerInch);
    const int direction = numerator < 0 ? -1 : 1;
    const std::int64_t magnitude = twiceRemainder < 0 ? -twiceRemainder : twiceRemainder;
    if (magnitude > kSlipUnitsPerInch || (magnitude == kSlipUnitsPerInch && quotient % 2 != 0)) {
        quotient += direction;
    }
    return quotient;
}

std::string RightAlign3(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    const std::string padded = "   " + std::string(text);
    return padded.substr(padded.size() - 3);
}

int DeviceMapping::deviceX(int slipX) const
{
    return static_cast<int>(RoundHalfAway(scaleX * slipX, 10000)) + left;
}

int DeviceMapping::deviceY(int slipY) const
{
    return static_cast<int>(RoundHalfAway(scaleY * slipY, 10000)) + top;
}

DeviceMapping MakeDeviceMapping(const SlipPrintState& state)
{
    if (state.dpiX <= 0 || state.dpiY <= 0) {
        throw std::invalid_argument("the printer reports no resolution");
    }
    DeviceMapping mapping;
    mapping.scaleX = ScaleFromDpi(state.dpiX);
    mapping.scaleY = ScaleFromDpi(state.dpiY);
    mapping.top = state.top;
    mapping.left = state.left - kLeftShiftDots;
    return mapping;
}

} // namespace slipgeometry
