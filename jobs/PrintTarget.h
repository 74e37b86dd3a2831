#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <optional>
#include <string>

class TPrinterAccess;
struct PrinterRegistration;

// The registration section of a paper selection (code page 932); an index the list does not
// have selects no section.
std::string PaperSection(int index);

// The printer NAME when given (an error when no printer has that name), else the printer
// registered in `entry`.
void SelectCommandLinePrinter(TPrinterAccess& printer, const std::optional<std::string>& name,
                              const PrinterRegistration& entry);
// The slip of the last session on its printer, as `print` prepares it: the printer selected
// (NAME, else the registration of the paper selection, `paper` or the stored one) on the
// installed printer object, and the slip with the registered margins in its print state. The
// resolution is left to the caller. Throws on a missing printer or unreadable files.
struct LastSlip
{
    Slip slip;
    SlipPrintState state;
    int paperIndex = 0;
};
LastSlip LoadLastSlip(const std::optional<std::string>& printerName, const std::optional<int>& paper);
