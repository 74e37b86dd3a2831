#include "smartimport/RomajiAddress.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include "smartimport/Places.h"

#include <algorithm>
#include <array>

namespace smartimport {

namespace {

// "2-4-1", "2-chome", "4ban", "1-go": the digits of a word that is part of a street number.
Text numberWord(TextView word)
{
    Text lower = lowerAscii(word);
    for (const std::u32string_view unit : {U"chome", U"banchi", U"ban", U"go"}) {
        if (TextView(lower).ends_with(unit)) {
            lower.resize(lower.size() - unit.size());
            break;
        }
    }
    while (!lower.empty() && (widthfold::isDash(lower.back()) || lower.back() == U'.')) {
        lower.pop_back();
    }
    const bool number =
        !lower.empty() && countDigits(lower) > 0 &&
        std::all_of(lower.begin(), lower.end(), [](char32_t c) { return isDigit(c) || widthfold::isDash(c); });
    return number ? lower : Text();
}

std::vector<TextView> segmentsOf(TextView address)
{
    std::vector<TextView> segments;
    std::size_t start = 0;
    for (std::size_t comma = address.find(U','); start <= address.size(); comma = address.find(U',', start)) {
        const TextView segment = trimBlanks(address.substr(start, comma - start));
        if (!segment.empty()) {
            segments.push_back(segment);
        }
        if (comma == TextView::npos) {
            break;
        }
        start = comma + 1;
    }
    return segments;
}

// The first run of number words outside the building parts, joined by hyphens.
Text streetNumber(const std::vector<TextView>& segments)
{
    Text number;
    for (const TextView segment : segments) {
        if (hasBuildingWord(segment)) {
            continue;
        }
        for (const TextView word : splitWords(segment)) {
            const Text digits = numberWord(word);
            if (digits.empty() && !number.empty()) {
                return number;
            }
            if (!digits.empty()) {
                number += (number.empty() ? U"" : U"-") + digits;
            }
        }
        if (!number.empty()) {
            return number;
        }
    }
    return number;
}

} // namespace

AddressParts romajiAddress(TextView address, const std::vector<PostalPlace>& places)
{
    if (places.empty()) {
        return {Text(address), {}};
    }
    const std::vector<TextView> segments = segmentsOf(address);
    Text building;
    for (const TextView segment : segments) {
        if (hasBuildingWord(segment)) {
            building += (building.empty() ? U"" : U", ") + Text(segment);
        }
    }
    const PostalPlace& place = places.front();
    return {utf8::decode(place.prefecture + place.city + place.town) + streetNumber(segments), building};
}

} // namespace smartimport
