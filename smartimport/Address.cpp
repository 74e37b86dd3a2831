#include "smartimport/Address.h"

#include "smartimport/Places.h"

namespace smartimport {

namespace {

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

AddressParts splitAddress(TextView address, const postal::AddressHints& hints)
{
    address = trimBlanks(address);
    const postal::AddressCut cut = postal::cutAddress(address, hints);
    if (cut.line1End == address.size()) {
        return splitAtBuildingWord(address);
    }
    return {Text(trimBlanks(address.substr(0, cut.line1End))), Text(trimSeparators(address.substr(cut.line2Begin)))};
}

} // namespace smartimport
