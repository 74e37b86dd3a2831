#include "jobs/SlipJobs.h"

#include "jobs/PrintTarget.h"
#include "jobs/StartSlip.h"
#include "preview/PreviewScene.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/CalibrationPattern.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/TSlipDot.h"

namespace slipjobs {

journalprint::Outcome PrintSlip(const PrintTarget& target, const std::filesystem::path& journalFile, const Slip& slip,
                                const std::string& orderNumber, std::int64_t reprintOf)
{
    TPrinterAccess& printer = target.printer();
    const journalprint::JobContext context{target.paperFeed(), orderNumber, reprintOf};
    return journalprint::PrintAndRecord(
        printer, journalFile, slip, target.state(), context,
        [&] { TSlipDot::SLIP97_Prn(slip, target.state(), printer.Canvas()); }, target.pageLengthPt());
}

journalprint::Outcome Reprint(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                              const journal::JournalEntry& entry, const std::string& printerName, bool keepDate)
{
    const int paper = PaperIndex(entry.paperFeed);
    const PrintTarget target = PrintTarget::Named(printer, printerName.empty() ? entry.printer : printerName, paper,
                                                  entry.printState.top, entry.printState.left);
    Slip slip = entry.slip;
    if (!keepDate) {
        DateToday(slip);
    }
    return PrintSlip(target, journalFile, slip, entry.orderNumber, entry.id);
}

void PrintCalibration(const PrintTarget& target, const std::string& title)
{
    TPrinterAccess& printer = target.printer();
    printcommand::PrintJob(
        printer, title, [&] { DrawCalibrationPattern(target.state(), printer.Canvas()); }, target.pageLengthPt());
}

PreviewScene Preview(const PrintTarget& target, Slip slip)
{
    return preview::Scene(target.page(), std::move(slip), target.state(), target.continuous());
}

} // namespace slipjobs
