#pragma once

#include <QApplication>

// The application object: an exception that escapes an event handler is reported in the
// standard error box and the program carries on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
