#include "jobs/SystemPrinters.h"

#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"

#include <QDir>

SystemPrinters::SystemPrinters(const QString& workingFolder)
{
    InstallPrinterService(std::make_unique<CupsPrinterService>(QDir(workingFolder).filePath(QStringLiteral("slips"))));
}

SystemPrinters::~SystemPrinters()
{
    UninstallPrinterService();
}
