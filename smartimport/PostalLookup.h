#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace smartimport {

// One place a postal code stands for (UTF-8).
struct PostalPlace
{
    std::string prefecture;
    std::string city;
    std::string town;
};

// The places of a seven-digit postal code; empty when the code is unknown. An empty
// function means no postal directory is at hand.
using PostalLookup = std::function<std::vector<PostalPlace>(std::string_view sevenDigits)>;

} // namespace smartimport
