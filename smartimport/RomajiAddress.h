#pragma once

#include "smartimport/Address.h"
#include "smartimport/PostalLookup.h"

#include <vector>

namespace smartimport {

// A romaji address ("Sunny Bldg 5F, 2-4-1 Marunouchi, Chiyoda-ku, Tokyo") as the slip wants
// it: prefecture, city and town in kanji from the postal code's place, the street number in
// digits ("東京都千代田区丸の内2-4-1"), and the parts naming a building as written. Without a
// place the address stays as written.
AddressParts romajiAddress(TextView address, const std::vector<PostalPlace>& places);

} // namespace smartimport
