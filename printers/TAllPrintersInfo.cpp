#include "TAllPrintersInfo.h"

#include "EPrinterAccess.h"

TAllPrintersInfo::TAllPrintersInfo(PrinterService& service)
{
    try {
        m_records = service.enumPrinters();
    } catch (const EPrinterAccessServerError& error) {
        m_failure = error.what();
    }
}
