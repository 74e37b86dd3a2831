#pragma once

#include <optional>
#include <string>
#include <string_view>

// Turning a shift measured on a printed form, in millimetres, into the printer dots that the
// margins are kept in.
namespace margincalibration {

enum class Axis
{
    Horizontal, // right positive
    Vertical,   // down positive
};

// Tenths of a millimetre from a text such as "1.5", "-2", "+0.3" or "1,5"; nothing for an
// empty text, more than one decimal, or anything that is not such a number.
std::optional<int> ParseTenths(std::string_view text);

// Dots at `dpi` for a shift of tenths / 10 mm, the nearest whole dot, a half away from zero.
int DotsForTenths(int tenths, int dpi);

// "右へ 1.5 mm = 11 ドット", "上へ 0.8 mm = -6 ドット": the direction, the distance and the dots
// that the margin changes by.
std::string ShiftText(Axis axis, int tenths, int dpi);

} // namespace margincalibration
