#pragma once

#include "postal/AddressLines.h"
#include "smartimport/WideText.h"

// The two address lines of the slip out of one written address.
namespace smartimport {

struct AddressParts
{
    Text street;   // prefecture … street number, as written
    Text building; // what follows the street number: building, floor, room, care-of
};

// Splits an address with the slip's address splitter ("…梅田2-4-9 梅田ビル12F"); without a street
// number, a trailing word naming a building still goes to the second line.
AddressParts splitAddress(TextView address, const postal::AddressHints& hints = {});

} // namespace smartimport
