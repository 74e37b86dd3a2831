#include "textimport/AddressWarning.h"

namespace textimport {

namespace {
// Room for about twenty full-width characters on the slip's first address line.
constexpr std::size_t kAddress1MaxBytes = 40;
} // namespace

std::string AddressLengthWarning(std::string_view address1Cp932)
{
    if (address1Cp932.size() <= kAddress1MaxBytes) {
        return {};
    }
    return "警告:おところ①の文字数が多すぎます。　おところ②へ分割してください";
}

} // namespace textimport
