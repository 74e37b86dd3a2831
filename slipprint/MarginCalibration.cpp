#include "slipprint/MarginCalibration.h"

#include "slipprint/SlipGeometry.h"

#include <cstdlib>

namespace margincalibration {
namespace {

// Tenths of a millimetre per inch.
constexpr int kTenthsPerInch = 254;
// Far beyond any form, and small enough that no product overflows.
constexpr int kMaxTenths = 99999;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* direction(Axis axis, bool negative)
{
    if (axis == Axis::Horizontal) {
        return negative ? "左へ" : "右へ";
    }
    return negative ? "上へ" : "下へ";
}

} // namespace

std::optional<int> ParseTenths(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int tenths = 0;
    int decimals = -1;
    bool digits = false;
    for (const char c : text) {
        if ((c == '.' || c == ',') && decimals < 0) {
            decimals = 0;
        } else if (isDigit(c) && decimals < 1) {
            tenths = tenths * 10 + (c - '0');
            decimals += decimals >= 0 ? 1 : 0;
            digits = true;
            if (tenths > kMaxTenths) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (decimals < 1) {
        tenths *= 10;
    }
    if (tenths > kMaxTenths) {
        return std::nullopt;
    }
    return negative ? -tenths : tenths;
}

int DotsForTenths(int tenths, int dpi)
{
    return static_cast<int>(slipgeometry::RoundHalfAway(static_cast<std::int64_t>(tenths) * dpi, kTenthsPerInch));
}

std::string ShiftText(Axis axis, int tenths, int dpi)
{
    const int magnitude = std::abs(tenths);
    return std::string(direction(axis, tenths < 0)) + " " + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10) + " mm = " + std::to_string(DotsForTenths(tenths, dpi)) + " ドット";
}

} // namespace margincalibration
