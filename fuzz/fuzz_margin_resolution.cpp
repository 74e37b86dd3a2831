// Arbitrary MarginDpi texts as a registration file may hold them, with arbitrary margins: a
// text is a resolution within bounds that reads back as itself, or nothing; a converted
// margin is a number, and converting it back lands within a dot of where it began.
#include "slipprint/MarginResolution.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
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
    int dots = 0;
    if (size >= sizeof dots) {
        std::memcpy(&dots, data, sizeof dots);
        data += sizeof dots;
        size -= sizeof dots;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<marginresolution::Dpi> dpi = marginresolution::ParseDpi(text);
    if (!dpi) {
        return 0;
    }
    require(dpi->x >= 1 && dpi->x <= 10000 && dpi->y >= 1 && dpi->y <= 10000);
    require(marginresolution::ParseDpi(marginresolution::DpiText(*dpi)) == dpi);
    require(!marginresolution::MillimetreText(dots, dpi->x).empty());
    // Far enough from the bounds of int that nothing is clamped, the round trip holds.
    if (std::abs(static_cast<long long>(dots)) < std::numeric_limits<int>::max() / 10000) {
        const int there = marginresolution::ConvertDots(dots, dpi->x, dpi->y);
        const int back = marginresolution::ConvertDots(there, dpi->y, dpi->x);
        const long long slack = dpi->x / dpi->y + 1;
        require(std::llabs(static_cast<long long>(back) - dots) <= slack);
    } else {
        marginresolution::ConvertDots(dots, dpi->x, dpi->y);
    }
    return 0;
}
