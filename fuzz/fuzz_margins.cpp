// Arbitrary margin texts as a registration file may hold them: each is either a number of
// dots or the conversion error, and the text shown in force prints the same dots.
#include "platform/StrToInt.h"
#include "slipprint/MarginDots.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string inForce = margins::WholeMarginText(text);
    try {
        const int dots = margins::MarginDots(text);
        require(margins::MarginDots(inForce) == dots);
        require(inForce == text || inForce == std::to_string(dots));
    } catch (const EConvertError&) {
        require(inForce == text);
    }
    return 0;
}
