#include "escp/DirectPrintState.h"

#include "escp/EscpCommands.h"
#include "platform/StrToInt.h"
#include "slipprint/MarginDots.h"
#include "slipprint/SlipGeometry.h"

#include <string>

namespace {

std::string marginAt180(const std::string& margin, const std::string& dpi)
{
    const int registeredDpi = StrToInt(dpi);
    if (registeredDpi <= 0) {
        throw EConvertError("'" + dpi + "' is not a valid resolution");
    }
    const std::int64_t dots = margins::MarginDots(margin);
    return std::to_string(slipgeometry::RoundHalfAway(dots * escp::kDotsPerInch, registeredDpi));
}

} // namespace

// The one place that reads the registered state's texts.
SlipPrintState DirectPrintState(const SlipPrintState& registered)
{
    const std::string dpi = std::to_string(escp::kDotsPerInch);
    return {dpi, dpi, marginAt180(registered.prnTop, registered.dpiy),
            marginAt180(registered.prnLeft, registered.dpix)};
}
