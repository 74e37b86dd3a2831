#pragma once

#include "postal/AddressLines.h"

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

using postal::AddressLines;
using postal::kAddressLineBytes;

// The two address lines of the slip (see postal::splitAddress) out of an export's columns. A
// prefecture or city the street already begins with is not repeated.
AddressLines SplitAddress(const AddressParts& parts);

} // namespace batch
