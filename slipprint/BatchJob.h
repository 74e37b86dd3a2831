#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

class TPrinterAccess;

namespace printcommand {

// A batch that did not reach the printer: the job was aborted at slip `stoppedAt` (0-based),
// so no slip of it was printed.
class BatchJobError : public std::runtime_error
{
public:
    BatchJobError(std::size_t stoppedAt, const std::string& message)
        : std::runtime_error(message), m_stoppedAt(stoppedAt)
    {}
    std::size_t stoppedAt() const { return m_stoppedAt; }

private:
    std::size_t m_stoppedAt;
};

// `count` slips as one job on the current printer, one page each, drawn by `drawSlip(i)`.
// `progress(done)` runs after each page; returning false cancels. A slip that cannot be
// drawn, a cancel or a failed hand-over aborts the whole job and throws BatchJobError; when
// it returns, every slip has reached the printer.
// `pageLengthPt`: the pages' length when not the paper's (continuous forms), 0 otherwise.
void PrintBatchJob(TPrinterAccess& printer, std::size_t count, const std::function<void(std::size_t)>& drawSlip,
                   const std::function<bool(std::size_t)>& progress, double pageLengthPt = 0);

} // namespace printcommand
