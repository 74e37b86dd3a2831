#include "printers/TPrinterAccess.h"

#include <stdexcept>

namespace {
std::unique_ptr<TPrinterAccess>& GlobalPrinterAccess()
{
    static std::unique_ptr<TPrinterAccess> instance;
    return instance;
}
} // namespace

void InstallPrinterService(std::unique_ptr<PrinterService> service)
{
    // The old object lets go of its service's notification before the new one takes a snapshot.
    GlobalPrinterAccess().reset();
    GlobalPrinterAccess() = std::make_unique<TPrinterAccess>(std::move(service));
}

TPrinterAccess& PrinterAccess()
{
    if (!GlobalPrinterAccess()) {
        throw std::logic_error("PrinterAccess: no printer service installed");
    }
    return *GlobalPrinterAccess();
}

void UninstallPrinterService()
{
    GlobalPrinterAccess().reset();
}
