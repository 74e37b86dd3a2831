#include "ErrorReport.h"

#include "Prompt.h"

QString ErrorReportText(const QString& message)
{
    if (message.endsWith(QLatin1Char('.'))) {
        return message;
    }
    return message + QLatin1Char('.');
}

void ReportError(QWidget* parent, const std::exception& error)
{
    Prompt::instance().reportError(parent, ErrorReportText(QString::fromUtf8(error.what())));
}

void RunReported(QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        ReportError(parent, error);
    }
}
