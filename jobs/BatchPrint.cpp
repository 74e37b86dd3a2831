#include "jobs/BatchPrint.h"

#include "jobs/DirectJobs.h"
#include "jobs/JournalledPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "jobs/StartSlip.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/TSlipDot.h"

#include <algorithm>

namespace {

// Where the `page`th of the printed slips stands among the chosen ones; past the end stays so.
std::size_t positionIn(const std::vector<std::size_t>& chosen, const std::vector<std::size_t>& printed,
                       std::size_t page)
{
    if (page >= printed.size()) {
        return chosen.size();
    }
    return static_cast<std::size_t>(std::find(chosen.begin(), chosen.end(), printed[page]) - chosen.begin());
}

} // namespace

PreviewScene BatchPreviewScene(const batch::BatchSlip& slip, const BatchTarget& target)
{
    const PrintTarget on = PrintTarget::Registered(PrinterAccess(), target.folder, target.paper, target.printer);
    return slipjobs::Preview(on, BatchSlipModel(slip, target.sender));
}

Slip BatchSlipModel(const batch::BatchSlip& slip, const SenderRecord& sender)
{
    Slip model;
    DateToday(model);
    model.goods = slip.goods;
    model.recipient = slip.recipient;
    model.sender = SenderAddress(sender);
    model.pieceCount = slip.pieces;
    return model;
}

SenderRecord RegisteredSender(const std::filesystem::path& folder, int number)
{
    try {
        return SenderFile::Read(folder / SenderFile::ForTab(number - 1));
    } catch (const std::exception&) {
        throw std::runtime_error("sender " + std::to_string(number) + " is not registered");
    }
}

BatchPrinted PrintBatch(const std::vector<batch::BatchSlip>& slips, const std::vector<std::size_t>& chosen,
                        const BatchTarget& target, const std::function<bool(std::size_t)>& progress,
                        const std::function<bool(std::size_t)>& printAnyway)
{
    const PrintTarget on = PrintTarget::Registered(PrinterAccess(), target.folder, target.paper, target.printer);
    TPrinterAccess& printer = on.printer();
    const std::filesystem::path journalFile = journal::Journal::In(target.folder);
    const BatchClaim claimed = ClaimSlips(journalFile, slips, chosen, printAnyway);
    BatchPrinted printed{on.printerName(), {}, {}, claimed.chosen, claimed.leftOut, on.warnings(), {}};
    if (journal::ServerChosen(journalFile)) {
        // The folder's own file is this station's alone; a failure of it is reported with the job's.
        printed.claimError = claimed.journalError;
    }
    if (claimed.chosen.empty()) {
        return printed;
    }
    std::vector<journalprint::BatchPage> pages;
    pages.reserve(claimed.chosen.size());
    for (const std::size_t index : claimed.chosen) {
        const batch::BatchSlip& slip = slips.at(index);
        pages.push_back({BatchSlipModel(slip, target.sender), on.state(), slip.order});
    }
    journalprint::Outcome outcome;
    try {
        if (on.direct()) {
            outcome = directjobs::SendSlips(on, journalFile, pages, {on.paperFeed(), {}, 0, claimed.claim}, progress);
        } else {
            const auto drawSlip = [&](std::size_t i) {
                TSlipDot::SLIP97_Prn(pages[i].slip, pages[i].state, printer.Canvas());
            };
            outcome = journalprint::PrintBatchAndRecord(
                printer, journalFile, pages, on.paperFeed(),
                [&] { printcommand::PrintBatchJob(printer, pages.size(), drawSlip, progress, on.pageLengthPt()); },
                claimed.claim);
        }
    } catch (const printcommand::BatchJobError& error) {
        // The caller counts in the slips it chose, some of which may have been left out.
        throw printcommand::BatchJobError(positionIn(chosen, claimed.chosen, error.stoppedAt()), error.what());
    }
    printed.journalIds = outcome.entryIds;
    printed.journalError = outcome.journalError;
    return printed;
}
