#include "HalfWidth.h"

namespace textimport {

std::string ToHalfWidth(std::string_view cp932Text)
{
    return std::string(cp932Text);
}

} // namespace textimport
