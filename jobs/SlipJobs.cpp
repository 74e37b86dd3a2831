#include "jobs/SlipJobs.h"

#include "escp/DirectPrintState.h"
#include "jobs/DirectJobs.h"
#include "jobs/PrintTarget.h"
#include "jobs/StartSlip.h"
#include "preview/PreviewScene.h"
#include "preview/SlipFitCheck.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/CalibrationPattern.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/TSlipDot.h"

namespace slipjobs {
namespace {

// The feed's registration beside the journal decides the way: a direct feed takes the
// entry's margins over into its own dots.
PrintTarget reprintTarget(TPrinterAccess& printer, const std::filesystem::path& folder,
                          const journal::JournalEntry& entry, int paper, const std::string& onPrinter)
{
    const std::optional<std::string> named = onPrinter.empty() ? std::nullopt : std::optional<std::string>(onPrinter);
    if (const std::optional<DirectFeed> feed = RegisteredDirectFeed(folder, paper, named)) {
        const SlipPrintState margins = DirectPrintState(entry.printState);
        return PrintTarget::Direct(printer, paper, margins.top, margins.left, *feed);
    }
    return PrintTarget::Reprinted(printer, folder, onPrinter, paper, entry.printState);
}

} // namespace

journalprint::Outcome PrintSlip(const PrintTarget& target, const std::filesystem::path& journalFile, const Slip& slip,
                                const std::string& orderNumber, std::int64_t reprintOf)
{
    const journalprint::JobContext context{target.paperFeed(), orderNumber, reprintOf, {}};
    if (target.direct()) {
        return directjobs::SendSlips(target, journalFile, {{slip, target.state(), orderNumber}}, context);
    }
    TPrinterAccess& printer = target.printer();
    return journalprint::PrintAndRecord(
        printer, journalFile, slip, target.state(), context,
        [&] { TSlipDot::SLIP97_Prn(slip, target.state(), printer.Canvas()); }, target.pageLengthPt());
}

journalprint::Outcome Reprint(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                              const journal::JournalEntry& entry, const std::string& printerName, bool keepDate)
{
    const int paper = PaperIndex(entry.paperFeed);
    const std::string onPrinter = printerName.empty() ? entry.printer : printerName;
    const PrintTarget target = reprintTarget(printer, journalFile.parent_path(), entry, paper, onPrinter);
    Slip slip = entry.slip;
    if (!keepDate) {
        DateToday(slip);
    }
    return PrintSlip(target, journalFile, slip, entry.orderNumber, entry.id);
}

void PrintCalibration(const PrintTarget& target, const std::string& title)
{
    if (target.direct()) {
        directjobs::SendCalibration(target, title);
        return;
    }
    TPrinterAccess& printer = target.printer();
    printcommand::PrintJob(
        printer, title, [&] { DrawCalibrationPattern(target.state(), printer.Canvas()); }, target.pageLengthPt());
}

std::vector<std::string> FitWarnings(const PageGeometry& page, const SlipPrintState& state, const Slip& slip)
{
    std::vector<std::string> warnings;
    for (const FitProblem& problem : preview::CheckSlipFit(slip, state, page)) {
        warnings.push_back(FitWarning(problem));
    }
    return warnings;
}

std::vector<std::string> FitWarnings(const PrintTarget& target, const Slip& slip)
{
    return FitWarnings(target.page(), target.state(), slip);
}

PreviewScene Preview(const PrintTarget& target, Slip slip)
{
    return preview::Scene(target.page(), std::move(slip), target.state(), target.continuous());
}

} // namespace slipjobs
