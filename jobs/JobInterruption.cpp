#include "jobs/JobInterruption.h"

#include <csignal>

namespace interruption {
namespace {

volatile std::sig_atomic_t g_asked = 0;
struct sigaction g_previousInterrupt
{
};
struct sigaction g_previousTerminate
{
};

extern "C" void note(int /*signal*/)
{
    g_asked = 1;
}

} // namespace

Held::Held()
{
    g_asked = 0;
    struct sigaction action
    {
    };
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // Restarted calls: a write to the print server or the PDF file goes on undisturbed.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &g_previousInterrupt);
    ::sigaction(SIGTERM, &action, &g_previousTerminate);
}

Held::~Held()
{
    ::sigaction(SIGINT, &g_previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &g_previousTerminate, nullptr);
}

bool Asked()
{
    return g_asked != 0;
}

void StopIfAsked()
{
    if (Asked()) {
        throw Interrupted();
    }
}

} // namespace interruption
