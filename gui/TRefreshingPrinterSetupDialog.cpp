#include "gui/TRefreshingPrinterSetupDialog.h"

#include <QWidget>

TRefreshingPrinterSetupDialog::TRefreshingPrinterSetupDialog(QWidget* parent)
    : QObject(parent), m_runner(QtPrintDialogRunner(parent, true))
{}

bool TRefreshingPrinterSetupDialog::Execute()
{
    return ExecuteRefreshing(m_runner);
}
