#include "gui/TRefreshingPrintDialog.h"

#include <QWidget>

TRefreshingPrintDialog::TRefreshingPrintDialog(QWidget* parent)
    : QObject(parent), m_runner(QtPrintDialogRunner(parent, false))
{}

bool TRefreshingPrintDialog::Execute()
{
    return ExecuteRefreshing(m_runner);
}
