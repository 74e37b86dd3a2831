#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The text of the standard error report: the message with a full stop appended when it
// does not end with one.
QString ErrorReportText(const QString& message);

// Reports an error that escaped an action, through the prompt in force.
void ReportError(QWidget* parent, const std::exception& error);

// Runs one user action; an exception that escapes it is reported and the program goes on.
// Actions throw; event handlers and slots connected to signals run through here.
void RunReported(QWidget* parent, const std::function<void()>& action);
