#include "journal/ServerBackoff.h"

#include <chrono>
#include <map>
#include <mutex>

namespace journal::backoff {
namespace {

using Clock = std::chrono::steady_clock;

struct Failures
{
    std::mutex lock;
    std::map<std::string, Clock::time_point> lastFailure;
};

Failures& failures()
{
    static Failures state;
    return state;
}

bool recent(Clock::time_point failure)
{
    return Clock::now() - failure < std::chrono::seconds(kSeconds);
}

} // namespace

bool MayTry(const std::string& server)
{
    Failures& state = failures();
    const std::lock_guard<std::mutex> held(state.lock);
    const auto found = state.lastFailure.find(server);
    return found == state.lastFailure.end() || !recent(found->second);
}

void Failed(const std::string& server)
{
    Failures& state = failures();
    const std::lock_guard<std::mutex> held(state.lock);
    state.lastFailure[server] = Clock::now();
}

void Answered(const std::string& server)
{
    Failures& state = failures();
    const std::lock_guard<std::mutex> held(state.lock);
    state.lastFailure.erase(server);
}

bool Away(const std::string& server)
{
    Failures& state = failures();
    const std::lock_guard<std::mutex> held(state.lock);
    return state.lastFailure.contains(server);
}

} // namespace journal::backoff
