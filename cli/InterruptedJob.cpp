#include "cli/InterruptedJob.h"

#include "jobs/JobInterruption.h"

#include <ostream>

int RunUninterrupted(const char* command, std::ostream& err, const std::function<void()>& job)
{
    const interruption::Held held;
    try {
        job();
    } catch (const interruption::Interrupted&) {
        err << "mivo-kangaroo " << command << ": " << kInterruptedBeforePrinting << '\n';
        return kFailed;
    }
    if (interruption::Asked()) {
        err << "mivo-kangaroo " << command << ": " << kInterruptedAfterPrinting << '\n';
    }
    return kDone;
}
