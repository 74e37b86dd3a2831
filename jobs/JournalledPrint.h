#pragma once

#include "journal/JournalEntry.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TPrinterAccess;

// Slip jobs that leave an entry in the print journal, from the window and the command line.
// The journal never stands in the way of a slip: when it cannot be opened or written the
// slip still prints and the caller is told why nothing was recorded.
namespace journalprint {

struct JobContext
{
    std::string paperFeed;
    std::string orderNumber;
    std::int64_t reprintOf = 0;
    std::string claim; // the orders' claim (Journal::claimOrders), given up when nothing printed
};

struct Outcome
{
    std::int64_t entryId = 0;
    std::string journalError; // empty when the job was recorded
    // Every entry of the job, in page order, in the journal OpenShared gives; none when they
    // wait for the server without having been begun there.
    std::vector<std::int64_t> entryIds;
};

// Runs the slip job (printcommand::PrintJob) and records it with `slip` and `state` whatever
// became of it; an error of the job goes on to the caller once it is recorded.
Outcome PrintAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile, const Slip& slip,
                       const SlipPrintState& state, const JobContext& context, const std::function<void()>& drawSlip,
                       double pageLengthPt = 0);

// One slip of a batch job as the journal keeps it.
struct BatchPage
{
    Slip slip;
    SlipPrintState state;
    std::string orderNumber;
};

// Runs a batch job (`runJob`: printcommand::PrintBatchJob) and records an entry per page, all
// in one transaction, whatever became of the job: printed, aborted (nothing reached the
// printer) or failed. An error of the job goes on to the caller once it is recorded, and the
// orders' claim is given up with it.
Outcome PrintBatchAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                            const std::vector<BatchPage>& pages, const std::string& paperFeed,
                            const std::function<void()>& runJob, const std::string& claim = {});

// A direct feed's job: `build` makes the whole stream, `handOver` sends it to `printerName`
// and returns the CUPS job id (0 for a device file). Records an entry per page on that printer
// before the hand-over and completes them after it: printed, aborted when the stream was never
// built (nothing reached the printer), failed when the hand-over failed. An error goes on to
// the caller once it is recorded.
Outcome SendAndRecord(const std::filesystem::path& journalFile, const std::vector<BatchPage>& pages,
                      const std::string& printerName, const JobContext& context,
                      const std::function<std::string()>& build,
                      const std::function<int(const std::string&)>& handOver);

// Whether the same recipient and goods were printed in the last 24 hours, on any station.
struct LastDayCheck
{
    std::optional<std::string> printedOn; // the station that printed them, empty for this one
    bool thisStationOnly = false;         // the chosen server could not be asked; the folder's own file was
};

// A journal that cannot be read has no answer, which counts as not printed.
LastDayCheck CheckPrintedInLastDay(const std::filesystem::path& journalFile, const Slip& slip);

} // namespace journalprint
