#pragma once

#include "printers/PrinterService.h"

#include <functional>

class QWidget;

// Runs the platform's print dialog on a choice: preset with the current printer, paper size
// and bin, rewritten with what the user picked. Returns whether the user confirmed.
using PrintDialogRunner = std::function<bool(DialogChoice& choice)>;

// Qt's print dialog (printer, and under its properties the paper size and source of the
// driver). setupOnly hides the page range and copies, as a printer-setup dialog does.
PrintDialogRunner QtPrintDialogRunner(QWidget* parent, bool setupOnly);

// Shows the dialog through the runner; on confirmation the choice becomes the current
// printer's and the global printer object re-reads its caches.
bool ExecuteRefreshing(const PrintDialogRunner& runner);
