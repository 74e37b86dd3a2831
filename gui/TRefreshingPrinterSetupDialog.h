#pragma once

#include "gui/PlatformPrintDialog.h"

#include <QObject>

class QWidget;

// The platform's printer-setup dialog as a component of a window: when the user confirms, the
// chosen printer, paper size and source become current and the printer object re-reads them.
class TRefreshingPrinterSetupDialog : public QObject
{
    Q_OBJECT

public:
    explicit TRefreshingPrinterSetupDialog(QWidget* parent = nullptr);

    bool Execute();
    // Replaces the dialog (tests answer it without showing a window).
    void setRunner(PrintDialogRunner runner) { m_runner = std::move(runner); }

private:
    PrintDialogRunner m_runner;
};
