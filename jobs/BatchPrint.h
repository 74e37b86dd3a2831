#pragma once

#include "batch/BatchSlip.h"
#include "jobs/BatchClaims.h"
#include "preview/PreviewRenderer.h"
#include "slipprint/Slip.h"
#include "workfolder/SenderFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace batch {
struct OrderFile;
}

// The slip a batch slip prints: its recipient and goods, the sender, one piece, today's
// date, no delivery date or time service.
Slip BatchSlipModel(const batch::BatchSlip& slip, const SenderRecord& sender);

// The sender of a tab (1-10) as registered in the folder; throws when none is.
SenderRecord RegisteredSender(const std::filesystem::path& folder, int number);

// What a batch prints on: the paper feed (0 hand-fed, 1 continuous) whose registered
// printer and margins are used, or the printer named instead, and the sender.
struct BatchTarget
{
    std::filesystem::path folder; // where the registration and the sender files are
    int paper = 1;
    std::optional<std::string> printer;
    SenderRecord sender;
};

struct BatchPrinted
{
    std::string printer;
    std::string journalError;              // empty when the print journal recorded the job
    std::vector<std::int64_t> journalIds;  // the journal's entries of the slips, in print order
    std::vector<std::size_t> slips;        // the slips printed: the chosen ones less those left out
    std::vector<ClaimedElsewhere> leftOut; // held by another station's job when this one began
    std::vector<std::string> warnings;     // registered settings the driver no longer offers (UTF-8)
    std::string claimError;                // why other stations could not be asked before the job
};

// The chosen slips as one job on the target's printer, one page each; `progress(done)`
// after each page, false cancels. The slips' orders are claimed first (ClaimSlips): those
// another station holds are left out unless `printAnyway(index)`, and when none is left no job
// is opened. The job is recorded in the folder's print journal, an entry per slip, whatever
// became of it; a journal that cannot be written does not stop the job. Throws
// printcommand::BatchJobError when the job was aborted (nothing printed) and other errors
// when no job could be opened. The printer that was current before is current again after.
BatchPrinted PrintBatch(const std::vector<batch::BatchSlip>& slips, const std::vector<std::size_t>& chosen,
                        const BatchTarget& target, const std::function<bool(std::size_t)>& progress,
                        const std::function<bool(std::size_t)>& printAnyway = {});

// The slip as the batch would print it on the target's printer (with its page, resolution and
// margins), for a preview. Throws when the feed has no registered printer.
PreviewScene BatchPreviewScene(const batch::BatchSlip& slip, const BatchTarget& target);
