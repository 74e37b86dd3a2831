#include "smartimport/Address.h"

#include "smartimport/Places.h"

namespace smartimport {

namespace {

// Characters after a number that make it part of a place name rather than the street number.
constexpr TextView kPlaceAfterNumber = U"町通条街坂線筋軒区";

bool startsNumber(TextView text, std::size_t at)
{
    if (isDigit(text[at])) {
        return true;
    }
    if (!isKanjiNumeral(text[at])) {
        return false;
    }
    std::size_t end = at;
    while (end < text.size() && isKanjiNumeral(text[end])) {
        ++end;
    }
    const TextView after = text.substr(end);
    return after.starts_with(U"丁目") || after.starts_with(U"番") || after.starts_with(U"号");
}

// The end of the street number starting at `at`.
std::size_t numberEnd(TextView text, std::size_t at)
{
    std::size_t i = at;
    while (i < text.size()) {
        const TextView rest = text.substr(i);
        const bool numberNext = rest.size() > 1 && (isDigit(rest[1]) || isKanjiNumeral(rest[1]));
        const bool numeral = isDigit(rest[0]) || isKanjiNumeral(rest[0]);
        const bool unitMark = rest.starts_with(U"番") || (rest.starts_with(U"号") && !rest.starts_with(U"号室") &&
                                                          !rest.starts_with(U"号館") && !rest.starts_with(U"号棟"));
        const bool joinsNumbers = (widthfold::isDash(rest[0]) || rest[0] == U'の' || rest[0] == U'ノ') && numberNext;
        const bool blankAfterUnit = isBlank(rest[0]) && numberNext && i > 0 &&
                                    (text[i - 1] == U'目' || text[i - 1] == U'番' || text[i - 1] == U'地');
        if (rest.starts_with(U"丁目") || rest.starts_with(U"番地")) {
            i += 2;
        } else if (numeral || unitMark || joinsNumbers || blankAfterUnit) {
            ++i;
        } else {
            break;
        }
    }
    return i;
}

bool isPlaceName(TextView text, std::size_t end)
{
    return end < text.size() && kPlaceAfterNumber.find(text[end]) != TextView::npos;
}

TextView trimSeparators(TextView text)
{
    while (!text.empty() && (isBlank(text.front()) || text.front() == U',' || text.front() == U'、')) {
        text.remove_prefix(1);
    }
    return trimBlanks(text);
}

// Without a street number, a trailing word naming a building is still split off.
AddressParts splitAtBuildingWord(TextView address)
{
    const std::size_t blank = address.find_last_of(U' ');
    if (blank != TextView::npos && hasBuildingWord(address.substr(blank + 1))) {
        const std::size_t first = address.substr(0, blank).find_last_not_of(U' ');
        const std::size_t cut = address.substr(0, first + 1).find_last_of(U' ');
        const bool twoWords = cut != TextView::npos && hasBuildingWord(address.substr(cut + 1, first - cut));
        const std::size_t at = twoWords ? cut : blank;
        return {Text(trimBlanks(address.substr(0, at))), Text(trimBlanks(address.substr(at)))};
    }
    return {Text(address), {}};
}

} // namespace

bool hasStreetNumber(TextView text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (startsNumber(text, i) && !isPlaceName(text, numberEnd(text, i))) {
            return true;
        }
    }
    return false;
}

AddressParts splitAddress(TextView address)
{
    address = trimBlanks(address);
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (!startsNumber(address, i)) {
            continue;
        }
        std::size_t end = numberEnd(address, i);
        if (isPlaceName(address, end)) {
            i = end;
            continue;
        }
        // "…1-2-3-405号室": the last group is the room.
        TextView rest = address.substr(end);
        if (rest.starts_with(U"号室")) {
            const std::size_t dash = address.substr(0, end).find_last_of(U'-');
            if (dash != TextView::npos && dash > i) {
                end = dash;
                rest = address.substr(end + 1);
            }
        }
        return {Text(trimBlanks(address.substr(0, end))), Text(trimSeparators(rest))};
    }
    return splitAtBuildingWord(address);
}

} // namespace smartimport
