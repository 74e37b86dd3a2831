#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace postal {

// The seven digits of a postal code as people write it: "1000001", "100-0001", "〒100-0001",
// with full-width digits or hyphens, and blanks around it. Anything else gives nothing.
std::optional<std::string> normaliseCode(std::string_view utf8);

// "1000001" as it is printed: "100-0001".
std::string formatCode(std::string_view sevenDigits);

} // namespace postal
