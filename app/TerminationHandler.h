#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// SIGTERM and SIGHUP (logout, shutdown, kill) end the program as a close of the main window
// does: open dialogs are closed as if cancelled, the window closes and saves, and the event
// loop ends. The signal handler only writes to a pipe; the work runs in the event loop.
class TerminationHandler : public QObject
{
    Q_OBJECT

public:
    explicit TerminationHandler(QWidget& mainWindow);
    ~TerminationHandler() override;

    // True once a signal has been handled: the program is to end without entering its loop.
    bool requested() const { return m_requested; }

private:
    void closeMainWindow();

    QWidget& m_mainWindow;
    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};
