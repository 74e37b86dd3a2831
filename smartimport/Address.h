#pragma once

#include "smartimport/WideText.h"

// The two address lines of the slip out of one written address.
namespace smartimport {

struct AddressParts
{
    Text street;   // prefecture … street number, as written
    Text building; // what follows the street number: building, floor, room, care-of
};

// Splits an address after its street number ("…梅田2-4-9 梅田ビル12F"). Numbers that are part
// of a place name ("一番町", "北1条") do not end it. Without a street number the address stays whole.
AddressParts splitAddress(TextView address);

// True when the text carries a street number ("1-2-3", "3丁目", "10番地").
bool hasStreetNumber(TextView text);

} // namespace smartimport
