#pragma once

#include <QString>

// The system's printers as the global printer object, for the life of this object: the CUPS
// queues and the built-in PDF printer, which files its slips under `workingFolder`/slips.
class SystemPrinters
{
public:
    explicit SystemPrinters(const QString& workingFolder);
    ~SystemPrinters();
    SystemPrinters(const SystemPrinters&) = delete;
    SystemPrinters& operator=(const SystemPrinters&) = delete;
};
