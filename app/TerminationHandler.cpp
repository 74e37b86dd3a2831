#include "app/TerminationHandler.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action
    {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

TerminationHandler::TerminationHandler(QWidget& mainWindow) : QObject(nullptr), m_mainWindow(mainWindow)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationHandler::closeMainWindow);
    setHandler(onSignal);
}

TerminationHandler::~TerminationHandler()
{
    if (m_notifier == nullptr) {
        return;
    }
    setHandler(SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationHandler::closeMainWindow()
{
    char bytes[64];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_requested) {
        return;
    }
    m_requested = true;
    // A question or dialog still open is answered as cancelled, so that nothing waits for a
    // user who has logged out.
    while (QWidget* dialog = QApplication::activeModalWidget()) {
        if (!dialog->close()) {
            break;
        }
    }
    m_mainWindow.close();
    QCoreApplication::quit();
}
