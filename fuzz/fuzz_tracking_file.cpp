// Arbitrary bytes as a file of tracking numbers: every line is either read or named as an
// error, rows count upwards, and every number read is digits only.
#include "shipping/TrackingCsv.h"
#include "shipping/TrackingNumber.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool isDigits(const std::string& text)
{
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const shipping::TrackingFile file = shipping::ReadTrackingFile(bytes);
    std::size_t row = 0;
    for (const shipping::TrackingLine& line : file.lines) {
        require(line.row > row);
        row = line.row;
        require(isDigits(line.number));
        require(!line.keyText.empty());
        require(shipping::NormalizeTrackingNumber(line.number) == line.number);
        for (const auto rule : {shipping::CheckDigitRule::None, shipping::CheckDigitRule::Mod7}) {
            if (const auto next = shipping::NextFormNumber(line.number, rule)) {
                require(next->size() == line.number.size() && isDigits(*next));
            }
        }
    }
    for (const shipping::TrackingLineError& error : file.errors) {
        require(error.row > 0 && !error.message.empty());
    }
    return 0;
}
