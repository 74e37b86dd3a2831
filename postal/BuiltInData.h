#pragma once

#include <string_view>

namespace postal {

// The bytes of the national list compiled into the program (postal/data/postal_codes.dat).
std::string_view builtInData();

} // namespace postal
