#pragma once

#include <string>
#include <string_view>

// Registered margins are whole printer dots. A margin stored with decimals (typed into an
// older dialog or edited by hand) is taken as the nearest whole dot, a half rounded away
// from zero, wherever it is used.
namespace margins {

// Dots of a margin text: empty is 0; a whole or decimal number is rounded; anything else
// raises the conversion error.
int MarginDots(std::string_view text);

// The text of a margin as it is in force: a decimal number becomes its whole dots, any other
// text stays as it stands.
std::string WholeMarginText(std::string_view text);

} // namespace margins
