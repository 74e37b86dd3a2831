#include "PostalCode.h"

namespace postal {

std::optional<std::string> normaliseCode(std::string_view utf8)
{
    (void)utf8;
    return std::nullopt;
}

std::string formatCode(std::string_view sevenDigits)
{
    return std::string(sevenDigits.substr(0, 3)) + "-" + std::string(sevenDigits.substr(3));
}

} // namespace postal
