#include "TAllPrintersInfo.h"

TAllPrintersInfo::TAllPrintersInfo(PrinterService& service) : m_records(service.enumPrinters()) {}
