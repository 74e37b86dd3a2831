#include "batch/Repairs.h"

#include "platform/WidthFold.h"

#include <algorithm>

namespace batch {
namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string padded(std::string_view digits, std::size_t width)
{
    return std::string(width - std::min(width, digits.size()), '0') + std::string(digits);
}

std::string numberText(std::string_view cell)
{
    // Digits and dashes, as most cells hold them, need none of the folding below.
    const std::string_view trimmed = TrimCell(cell);
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-'; })) {
        return std::string(trimmed);
    }
    std::string text = widthfold::asciiForm(CleanCell(cell));
    static constexpr std::string_view kMark = "〒";
    if (text.starts_with(kMark)) {
        text.erase(0, kMark.size());
    }
    return std::string(widthfold::trimBlanks(text));
}

std::string formatted(std::string_view first, std::string_view second)
{
    return padded(first, 3) + "-" + padded(second, 4);
}

} // namespace

std::string_view TrimCell(std::string_view cell)
{
    const std::string_view text = widthfold::trimBlanks(cell);
    return text.starts_with('\'') ? widthfold::trimBlanks(text.substr(1)) : text;
}

std::string CleanCell(std::string_view cell)
{
    std::string result(TrimCell(cell));
    std::replace_if(
        result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return result;
}

std::optional<std::string> RepairZip(std::string_view zip, std::string_view zip2)
{
    const std::string first = numberText(zip);
    const std::string second = numberText(zip2);
    if (!second.empty()) {
        if (!allDigits(first) || !allDigits(second) || first.size() > 3 || second.size() > 4) {
            return std::nullopt;
        }
        return formatted(first, second);
    }
    const auto dash = first.find('-');
    if (dash != std::string::npos) {
        const std::string_view head = std::string_view(first).substr(0, dash);
        const std::string_view tail = std::string_view(first).substr(dash + 1);
        if (allDigits(head) && allDigits(tail) && head.size() == 3 && tail.size() == 4) {
            return formatted(head, tail);
        }
        return std::nullopt;
    }
    // A code kept as a number loses at most two zeros: no postal code starts with "000".
    if (!allDigits(first) || first.size() < 5 || first.size() > 7) {
        return std::nullopt;
    }
    const std::string digits = padded(first, 7);
    return formatted(std::string_view(digits).substr(0, 3), std::string_view(digits).substr(3));
}

std::string RepairTel(std::string_view tel)
{
    std::string text = numberText(tel);
    static constexpr std::string_view kCountry = "+81";
    // Domestic numbers all start with 0; a number cell drops it.
    if (allDigits(text) && (text.size() == 9 || text.size() == 10) && text.front() != '0') {
        return "0" + text;
    }
    if (!text.starts_with(kCountry)) {
        return text;
    }
    std::string_view rest = std::string_view(text).substr(kCountry.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '-')) {
        rest.remove_prefix(1);
    }
    if (rest.starts_with("(0)")) {
        rest.remove_prefix(3);
    }
    return rest.starts_with('0') ? std::string(rest) : "0" + std::string(rest);
}

} // namespace batch
