#include "printers/TAllPrintersInfo.h"

#include "printers/EPrinterAccess.h"

TAllPrintersInfo::TAllPrintersInfo(PrinterService& service)
{
    try {
        m_records = service.enumPrinters();
        m_failure = service.serverFailure();
    } catch (const EPrinterAccessServerError& error) {
        m_failure = error.what();
    }
}
