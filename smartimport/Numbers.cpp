#include "smartimport/Numbers.h"

#include "smartimport/Places.h"

#include <array>
#include <vector>

namespace smartimport {

namespace {

bool digitsAt(TextView text, std::size_t at, std::size_t count)
{
    if (at + count > text.size()) {
        return false;
    }
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
    }
    return true;
}

bool numberEdge(TextView text, std::size_t at)
{
    return at >= text.size() || !(isDigit(text[at]) || widthfold::isDash(text[at]));
}

// "ddd-dddd" or, when `solid` is allowed, "ddddddd" at `at`; returns the end or npos.
std::size_t codeAt(TextView text, std::size_t at, bool solid)
{
    if (!digitsAt(text, at, 3)) {
        return TextView::npos;
    }
    if (at + 3 < text.size() && widthfold::isDash(text[at + 3]) && digitsAt(text, at + 4, 4) &&
        numberEdge(text, at + 8)) {
        return at + 8;
    }
    // "〒 064 - 0804": blanks around the hyphen of a marked code.
    if (solid) {
        std::size_t dash = at + 3;
        while (dash < text.size() && isBlank(text[dash])) {
            ++dash;
        }
        std::size_t digits = dash + 1;
        while (digits < text.size() && isBlank(text[digits])) {
            ++digits;
        }
        if (dash < text.size() && widthfold::isDash(text[dash]) && digitsAt(text, digits, 4) &&
            numberEdge(text, digits + 4)) {
            return digits + 4;
        }
    }
    if (solid && digitsAt(text, at, 7) && (at + 7 >= text.size() || !isDigit(text[at + 7]))) {
        return at + 7;
    }
    return TextView::npos;
}

Text formatCode(TextView text, std::size_t begin)
{
    Text digits;
    for (std::size_t i = begin; digits.size() < 7; ++i) {
        if (isDigit(text[i])) {
            digits.push_back(text[i]);
        }
    }
    return digits.substr(0, 3) + U"-" + digits.substr(3);
}

bool isPhoneChar(char32_t c)
{
    return isDigit(c) || widthfold::isDash(c) || isBlank(c) || c == U'(' || c == U')' || c == U'+' || c == U'.';
}

// Groups for a number whose writer gave none but "+81".
std::vector<Text> standardGroups(const Text& digits)
{
    std::array<std::size_t, 2> cut{3, 7};
    const TextView d = digits;
    if (d.starts_with(U"0120") || d.starts_with(U"0800") || d.starts_with(U"0570")) {
        cut = {4, 7};
    } else if (d.size() == 10 && (d.starts_with(U"03") || d.starts_with(U"06"))) {
        cut = {2, 6};
    } else if (d.size() == 10) {
        cut = {3, 6};
    }
    return {digits.substr(0, cut[0]), digits.substr(cut[0], cut[1] - cut[0]), digits.substr(cut[1])};
}

// The number written in text[begin, end), or nothing when it is no domestic number.
std::optional<Text> readNumber(TextView run)
{
    std::vector<Text> groups;
    bool inGroup = false;
    for (const char32_t c : run) {
        if (isDigit(c)) {
            if (!inGroup) {
                groups.emplace_back();
            }
            groups.back().push_back(c);
        }
        inGroup = isDigit(c);
    }
    bool international = false;
    const TextView trimmed = trimBlanks(run);
    if (trimmed.starts_with(U"+") && !groups.empty() && groups.front().starts_with(U"81")) {
        international = true;
        groups.front().erase(0, 2);
        if (groups.front().empty()) {
            groups.erase(groups.begin());
        }
        // "+81 (0)3 …": the bracketed trunk zero is written for domestic callers.
        if (groups.size() > 1 && groups.front() == U"0") {
            groups.erase(groups.begin());
        }
        if (!groups.empty() && groups.front().front() != U'0') {
            groups.front().insert(groups.front().begin(), U'0');
        }
    }
    Text digits;
    for (const Text& group : groups) {
        digits += group;
    }
    if (digits.size() < 10 || digits.size() > 11 || digits.front() != U'0') {
        return std::nullopt;
    }
    if (groups.size() == 1 && !international) {
        return digits;
    }
    // A Japanese number has three parts; other splits are regrouped the usual way.
    if (groups.size() == 1 || groups.size() > 3) {
        groups = standardGroups(digits);
    }
    Text out;
    for (const Text& group : groups) {
        out += (out.empty() ? U"" : U"-") + group;
    }
    return out;
}

// The longest readable number in the run starting at `begin`: the whole run, or its part
// before a blank when two numbers stand side by side.
std::optional<Found> numberAt(TextView text, std::size_t begin)
{
    std::size_t end = begin;
    while (end < text.size() && isPhoneChar(text[end])) {
        ++end;
    }
    while (end > begin && !isDigit(text[end - 1]) && text[end - 1] != U')') {
        --end;
    }
    for (std::size_t stop = end; stop > begin; --stop) {
        if (stop != end && !isBlank(text[stop])) {
            continue;
        }
        if (auto number = readNumber(text.substr(begin, stop - begin))) {
            return Found{*number, begin, stop};
        }
    }
    return std::nullopt;
}

constexpr std::array<std::u32string_view, 9> kMarkers = {U"TEL",  U"Tel",    U"tel",    U"℡",    U"電話",
                                                         U"携帯", U"でんわ", U"連絡先", U"Phone"};

std::size_t skipBlanks(TextView text, std::size_t at)
{
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
    return at;
}

bool isExtension(TextView rest)
{
    rest = trimBlanks(rest);
    for (const std::u32string_view mark :
         {U"内線", U"(内", U"内", U"ext", U"Ext", U"EXT", U"x", U"#", U"(", U"/", U"、", U",", U"・"}) {
        if (rest.starts_with(mark)) {
            return true;
        }
    }
    return rest.empty();
}

} // namespace

std::optional<Found> findPostalCode(TextView text, bool labelled)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'〒') {
            std::size_t at = i + 1;
            while (at < text.size() && (isBlank(text[at]) || text[at] == U':')) {
                ++at;
            }
            if (const std::size_t end = codeAt(text, at, true); end != TextView::npos) {
                return Found{formatCode(text, at), i, end};
            }
        }
    }
    const TextView trimmed = trimBlanks(text);
    const std::size_t lead = trimmed.empty() ? 0 : static_cast<std::size_t>(trimmed.data() - text.data());
    if (labelled || trimmed.size() == 7) {
        if (const std::size_t end = codeAt(text, lead, true); end != TextView::npos) {
            return Found{formatCode(text, lead), lead, end};
        }
    }
    // Unmarked, a code stands as a word of its own or right before the prefecture.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || isBlank(text[i - 1]) || text[i - 1] == U':') {
            const std::size_t end = codeAt(text, i, false);
            if (end != TextView::npos &&
                (end == text.size() || isBlank(text[end]) || text[end] == U',' || prefectureAt(text.substr(end)) > 0)) {
                return Found{formatCode(text, i), i, end};
            }
        }
    }
    return std::nullopt;
}

std::size_t telephoneMarker(TextView text)
{
    std::size_t first = TextView::npos;
    for (const std::u32string_view marker : kMarkers) {
        first = std::min(first, text.find(marker));
    }
    return first;
}

std::optional<Found> findTelephone(TextView text, bool anywhere)
{
    if (!anywhere) {
        const TextView trimmed = trimBlanks(text);
        if (trimmed.empty()) {
            return std::nullopt;
        }
        const auto begin = static_cast<std::size_t>(trimmed.data() - text.data());
        auto found = numberAt(text, begin);
        // What follows may be an extension or a second number ("042-300-0000 090-4444-5555").
        if (found && (isExtension(text.substr(found->end)) || numberAt(text, skipBlanks(text, found->end)))) {
            return found;
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isDigit(text[i]) || text[i] == U'+' || text[i] == U'(') {
            if (auto found = numberAt(text, i)) {
                return found;
            }
            while (i + 1 < text.size() && isPhoneChar(text[i + 1])) {
                ++i;
            }
        }
    }
    return std::nullopt;
}

} // namespace smartimport
