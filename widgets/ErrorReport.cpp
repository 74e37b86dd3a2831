#include "widgets/ErrorReport.h"

#include "widgets/Prompt.h"

QString ErrorReportText(const QString& message)
{
    // A Japanese sentence ends with its own full stop.
    if (message.endsWith(QLatin1Char('.')) || message.endsWith(QChar(0x3002))) {
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
