#pragma once

// What a command says when Ctrl+C or SIGTERM came during its job, which ends whole or not at all.
inline constexpr const char* kInterruptedBeforePrinting =
    "interrupted: the job was cancelled before it was handed over; nothing was printed";
inline constexpr const char* kInterruptedAfterPrinting =
    "interrupted too late to stop the job: it had been handed over and was printed whole";
