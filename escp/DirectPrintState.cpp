#include "escp/DirectPrintState.h"

#include "escp/EscpCommands.h"
#include "slipprint/SlipGeometry.h"

#include <cstdint>
#include <stdexcept>

namespace {

int dotsAt180(int dots, int registeredDpi)
{
    if (registeredDpi <= 0) {
        throw std::invalid_argument("the registered resolution is not known");
    }
    return static_cast<int>(
        slipgeometry::RoundHalfAway(static_cast<std::int64_t>(dots) * escp::kDotsPerInch, registeredDpi));
}

} // namespace

SlipPrintState DirectPrintState(const SlipPrintState& registered)
{
    return {escp::kDotsPerInch, escp::kDotsPerInch, dotsAt180(registered.top, registered.dpiY),
            dotsAt180(registered.left, registered.dpiX)};
}
