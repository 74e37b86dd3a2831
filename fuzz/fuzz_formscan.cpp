// Arbitrary settings-file bytes through the reading of the form scan's record: whatever is
// recorded, a scan that is read back can be placed, and placing it maps points to finite ones.
#include "preview/FormScan.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::optional<FormScan> scan = formscan::Parse(content);
    if (!scan) {
        return 0;
    }
    const std::optional<QTransform> placement = formscan::ToPaperPoints(*scan);
    if (!placement || scan->file.isEmpty()) {
        std::abort();
    }
    const QPointF corner = placement->map(QPointF(1000, 1000));
    if (!std::isfinite(corner.x()) || !std::isfinite(corner.y())) {
        std::abort();
    }
    return 0;
}
