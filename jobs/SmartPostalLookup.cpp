#include "jobs/SmartPostalLookup.h"

#include "postal/PostalDirectory.h"

smartimport::PostalLookup smartPostalLookup(const postal::PostalDirectory& directory)
{
    return [&directory](std::string_view sevenDigits) {
        std::vector<smartimport::PostalPlace> places;
        for (const postal::PostalEntry& entry : directory.find(sevenDigits)) {
            places.push_back({entry.prefecture, entry.city, entry.town});
        }
        return places;
    };
}
