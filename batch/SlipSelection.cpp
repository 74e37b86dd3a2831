#include "batch/SlipSelection.h"

#include "batch/ColumnMapping.h"
#include "platform/WidthFold.h"

#include <charconv>
#include <set>
#include <string>

namespace batch {
namespace {

std::size_t slipNumber(std::string_view text, std::size_t count)
{
    text = widthfold::trimBlanks(text);
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw BatchError("not a slip number: " + std::string(text));
    }
    if (number == 0 || number > count) {
        throw BatchError("no slip " + std::string(text) + " (the batch has " + std::to_string(count) + ")");
    }
    return number;
}

std::set<std::size_t> listed(std::size_t count, std::string_view only)
{
    std::set<std::size_t> numbers;
    while (!only.empty()) {
        const std::size_t comma = only.find(',');
        const std::string_view item = only.substr(0, comma);
        only = comma == std::string_view::npos ? std::string_view() : only.substr(comma + 1);
        const std::size_t dash = item.find('-');
        const std::size_t first = slipNumber(item.substr(0, dash), count);
        const std::size_t last = dash == std::string_view::npos ? first : slipNumber(item.substr(dash + 1), count);
        if (last < first) {
            throw BatchError("not a range of slips: " + std::string(item));
        }
        for (std::size_t n = first; n <= last; ++n) {
            numbers.insert(n);
        }
    }
    return numbers;
}

} // namespace

std::vector<std::size_t> ChooseSlips(std::size_t count, std::string_view only, std::optional<std::size_t> from)
{
    const std::size_t start = from ? slipNumber(std::to_string(*from), count) : 1;
    std::vector<std::size_t> chosen;
    if (widthfold::trimBlanks(only).empty()) {
        for (std::size_t n = start; n <= count; ++n) {
            chosen.push_back(n - 1);
        }
        return chosen;
    }
    for (std::size_t n : listed(count, only)) {
        if (n >= start) {
            chosen.push_back(n - 1);
        }
    }
    return chosen;
}

std::string SlipNumbers(const std::vector<std::size_t>& chosen)
{
    std::string list;
    for (std::size_t i = 0; i < chosen.size();) {
        std::size_t last = i;
        while (last + 1 < chosen.size() && chosen[last + 1] == chosen[last] + 1) {
            ++last;
        }
        list += (list.empty() ? "" : ",") + std::to_string(chosen[i] + 1);
        if (last > i) {
            list += "-" + std::to_string(chosen[last] + 1);
        }
        i = last + 1;
    }
    return list.empty() ? "none" : list;
}

std::vector<std::size_t> HoldBackBlocked(const std::vector<BatchSlip>& slips, std::vector<std::size_t>& chosen)
{
    std::vector<std::size_t> held;
    std::erase_if(chosen, [&](std::size_t i) {
        const bool blocked = !slips[i].blockedUnlessForced.empty();
        if (blocked) {
            held.push_back(i);
        }
        return blocked;
    });
    return held;
}

} // namespace batch
