#include "batch/AddressSplit.h"

#include "platform/Utf8.h"
#include "platform/WidthFold.h"

namespace batch {

namespace {

// Code points of the prefecture and city the address starts with, as far as the export gave them.
std::size_t placeLength(std::string_view address, std::string_view prefecture, std::string_view city)
{
    std::size_t length = 0;
    if (!prefecture.empty() && address.starts_with(prefecture)) {
        address.remove_prefix(prefecture.size());
        length += utf8::length(prefecture);
    }
    return !city.empty() && address.starts_with(city) ? length + utf8::length(city) : 0;
}

} // namespace

AddressLines SplitAddress(const AddressParts& parts)
{
    const std::string_view street = widthfold::trimBlanks(parts.street);
    const std::string_view givenCity = widthfold::trimBlanks(parts.city);
    const std::string_view givenPrefecture = widthfold::trimBlanks(parts.prefecture);
    std::string_view city = givenCity;
    std::string_view prefecture = givenPrefecture;
    std::string_view afterPrefecture = street;
    if (!prefecture.empty() && street.starts_with(prefecture)) {
        afterPrefecture.remove_prefix(prefecture.size());
        prefecture = {};
    }
    if (!city.empty() && afterPrefecture.starts_with(city)) {
        city = {};
    }
    if (!prefecture.empty() && city.starts_with(prefecture)) {
        prefecture = {};
    }
    std::string head;
    head.reserve(prefecture.size() + city.size() + street.size());
    head.append(prefecture).append(city).append(street);
    return postal::splitAddress(head, parts.building, {placeLength(head, givenPrefecture, givenCity), {}});
}

} // namespace batch
