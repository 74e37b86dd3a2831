#pragma once

#include "cli/Command.h"

#include <functional>
#include <iosfwd>

// What a command says when Ctrl+C or SIGTERM came during its job, which ends whole or not at all.
inline constexpr const char* kInterruptedBeforePrinting =
    "interrupted: the job was cancelled before it was handed over; nothing was printed";
inline constexpr const char* kInterruptedAfterPrinting =
    "interrupted too late to stop the job: it had been handed over and was printed whole";

// Runs `job` with Ctrl+C and SIGTERM held, so that it ends whole or not at all, and says on
// `err` which it was when a signal came. Other errors go on to the caller.
int RunUninterrupted(const char* command, std::ostream& err, const std::function<void()>& job);
