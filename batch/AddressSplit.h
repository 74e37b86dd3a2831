#pragma once

#include <string>
#include <string_view>

namespace batch {

// The parts of a destination address as shop exports give them (UTF-8).
struct AddressParts
{
    std::string_view prefecture;
    std::string_view city;
    std::string_view street;   // the rest of the address, with the street number
    std::string_view building; // building and room, when the export keeps them apart
};

struct AddressLines
{
    std::string line1;
    std::string line2;
};

// Longest first address line the form takes, in code page 932 bytes.
inline constexpr std::size_t kAddressLineBytes = 40;

// The two address lines of the slip: prefecture, city and street on the first line and the
// building on the second. A first line over 40 bytes is split at a natural point: after
// the street number, else after the city, else at a blank, and only when there is none at
// the last character that fits. A prefecture or city the street already begins with is not
// repeated.
AddressLines SplitAddress(const AddressParts& parts);

} // namespace batch
