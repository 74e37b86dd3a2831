#pragma once

#include "slipprint/SlipPrintState.h"

#include <cstdint>
#include <string>
#include <string_view>

// Slip units are 1/160 inch; the carrier's form positions are given in them. A scale is the
// number of printer dots per slip unit in ten-thousandths, so that positions are exact.
namespace slipgeometry {

inline constexpr int kSlipUnitsPerInch = 160;
// The whole drawing sits this many printer dots left of the registered left margin.
inline constexpr int kLeftShiftDots = 90;

// The integer nearest to numerator / denominator (denominator > 0), a half rounded away
// from zero; exact for every 64-bit input.
std::int64_t RoundHalfAway(std::int64_t numerator, std::int64_t denominator);

// dpi × 10000 / 160, a half rounded to the even neighbour.
std::int64_t ScaleFromDpi(int dpi);

// "  5" from "5": trimmed of blanks and control characters, right-aligned in three places.
std::string RightAlign3(std::string_view text);

// Where slip positions land on the printer canvas.
struct DeviceMapping
{
    std::int64_t scaleX = 10000;
    std::int64_t scaleY = 10000;
    int top = 0;
    int left = 0; // already shifted by kLeftShiftDots

    int deviceX(int slipX) const;
    int deviceY(int slipY) const;
};

// The mapping of a print state; throws std::invalid_argument for a resolution that is not
// positive, so that nothing is drawn at a scale of zero.
DeviceMapping MakeDeviceMapping(const SlipPrintState& state);

} // namespace slipgeometry
