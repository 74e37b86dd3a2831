#include "slipprint/MarginResolution.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace marginresolution {
namespace {

constexpr int kMostDpi = 10000;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

// A whole number of dots per inch that takes the whole text.
std::optional<int> dpiOf(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMostDpi) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<Dpi> ParseDpi(std::string_view text)
{
    text = trimmed(text);
    if (text.size() > 3 && text.substr(text.size() - 3) == "dpi") {
        text.remove_suffix(3);
    }
    const auto cross = text.find('x');
    const std::optional<int> x = dpiOf(text.substr(0, cross));
    const std::optional<int> y = cross == std::string_view::npos ? x : dpiOf(text.substr(cross + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return Dpi{*x, *y};
}

std::string DpiText(Dpi dpi)
{
    return std::to_string(dpi.x) + "x" + std::to_string(dpi.y);
}

int ConvertDots(int dots, int fromDpi, int toDpi)
{
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) {
        return dots;
    }
    // A margin no printer could take still converts to a number of its own, never a wrapped one.
    const double converted = std::round(static_cast<double>(dots) * toDpi / fromDpi);
    return static_cast<int>(std::clamp(converted, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

std::string MillimetreText(int dots, int dpi)
{
    if (dpi <= 0) {
        return {};
    }
    const long tenths = std::lround(static_cast<double>(dots) * 254 / dpi);
    const long whole = std::labs(tenths);
    std::string text = tenths < 0 ? "= -" : "= ";
    text += std::to_string(whole / 10);
    text += '.';
    text += std::to_string(whole % 10);
    text += " mm";
    return text;
}

} // namespace marginresolution
