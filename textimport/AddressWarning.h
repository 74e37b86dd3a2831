#pragma once

#include <string>
#include <string_view>

namespace textimport {

// The warning shown when the first address line is too long for its place on the slip
// (more than 40 code page 932 bytes); empty when it fits. The result is UTF-8.
std::string AddressLengthWarning(std::string_view address1Cp932);

} // namespace textimport
