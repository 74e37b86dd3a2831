#pragma once

#include <string>
#include <string_view>
#include <vector>

// The two address lines of a slip out of one written address, for every way an address
// arrives: a shop export's columns or a line of an order mail.
namespace postal {

// Longest address line the form takes, in code page 932 bytes.
inline constexpr std::size_t kAddressLineBytes = 40;

// What the caller may know beyond the text.
struct AddressHints
{
    std::size_t placeLength = 0;       // code points of the prefecture and city the text starts with
    std::vector<std::u32string> towns; // the towns of the address's postal code
};

// Line 1 is text[0, line1End), line 2 text[line2Begin, end).
struct AddressCut
{
    std::size_t line1End = 0;
    std::size_t line2Begin = 0;
    bool afterStreetNumber = false; // line 1 ends with the street number
};

// Line 1 runs to the street number (丁目, 番地, 号 or digits with hyphens); building, floor,
// room and care-of follow on line 2. Numbers inside place names (一番町, 北2条, 五十丁) and the
// postal code's towns do not end it. A line 1 over 40 bytes moves back to a point that fits:
// after a Kyoto street direction (…通三条上る), after the city or at a blank; without one it stays
// long, for the user to decide. `text` is trimmed.
AddressCut cutAddress(std::u32string_view text, const AddressHints& hints = {});

// True when the text carries a street number ("1-2-3", "3丁目", "10番地").
bool hasStreetNumber(std::u32string_view text);

struct AddressLines
{
    std::string line1;
    std::string line2;
};

// The same on UTF-8, for exports printed unread: a line 1 without a natural point is cut at 40
// bytes. A building kept apart joins line 2 after a full-width blank.
AddressLines splitAddress(std::string_view text, std::string_view building = {}, const AddressHints& hints = {});

} // namespace postal
