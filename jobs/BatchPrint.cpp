#include "jobs/BatchPrint.h"

#include "jobs/DirectJobs.h"
#include "jobs/JournalledPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "jobs/StartSlip.h"
#include "journal/Journal.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/TSlipDot.h"

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
                        const BatchTarget& target, const std::function<bool(std::size_t)>& progress)
{
    const PrintTarget on = PrintTarget::Registered(PrinterAccess(), target.folder, target.paper, target.printer);
    TPrinterAccess& printer = on.printer();
    std::vector<journalprint::BatchPage> pages;
    pages.reserve(chosen.size());
    for (const std::size_t index : chosen) {
        const batch::BatchSlip& slip = slips.at(index);
        pages.push_back({BatchSlipModel(slip, target.sender), on.state(), slip.order});
    }
    if (on.direct()) {
        const journalprint::Outcome outcome =
            directjobs::SendSlips(on, journal::Journal::In(target.folder), pages, {on.paperFeed(), {}, 0}, progress);
        return {on.printerName(), outcome.journalError, outcome.entryIds, on.warnings()};
    }
    const auto drawSlip = [&](std::size_t i) { TSlipDot::SLIP97_Prn(pages[i].slip, pages[i].state, printer.Canvas()); };
    const journalprint::Outcome outcome =
        journalprint::PrintBatchAndRecord(printer, journal::Journal::In(target.folder), pages, on.paperFeed(), [&] {
            printcommand::PrintBatchJob(printer, pages.size(), drawSlip, progress, on.pageLengthPt());
        });
    return {on.printerName(), outcome.journalError, outcome.entryIds, on.warnings()};
}
