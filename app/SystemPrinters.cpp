#include "SystemPrinters.h"

#include "CupsPrinterService.h"
#include "TPrinterAccess.h"

#include <QDir>

SystemPrinters::SystemPrinters(const QString& workingFolder)
{
    InstallPrinterService(std::make_unique<CupsPrinterService>(QDir(workingFolder).filePath(QStringLiteral("slips"))));
}

SystemPrinters::~SystemPrinters()
{
    UninstallPrinterService();
}
