#pragma once

#include <stdexcept>

// Ctrl+C (SIGINT) and SIGTERM during a job on the command line: a job must end whole or not
// at all, so while a Held object lives the signals are only noted. A job that has not yet
// drawn stops itself (StopIfAsked); one already handed over runs to its end, and the command
// then says which of the two happened.
namespace interruption {

class Interrupted : public std::runtime_error
{
public:
    Interrupted() : std::runtime_error("interrupted") {}
};

class Held
{
public:
    Held();
    ~Held();
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
};

// Whether a signal came while held.
bool Asked();
// Throws Interrupted when a signal came.
void StopIfAsked();

} // namespace interruption
