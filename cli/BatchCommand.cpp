#include "cli/BatchCommand.h"
#include "cli/PostalList.h"

#include "batch/ColumnMapping.h"
#include "batch/DryRunJson.h"
#include "batch/OrderFile.h"
#include "batch/PostalSlipCheck.h"
#include "batch/SlipSelection.h"
#include "cli/BatchOptions.h"
#include "cli/DrawingApplication.h"
#include "cli/InterruptedJob.h"
#include "jobs/BatchPrint.h"
#include "jobs/FitSlipCheck.h"
#include "jobs/JobInterruption.h"
#include "jobs/JournalSlipCheck.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "postal/PostalDirectory.h"
#include "slipprint/BatchJob.h"

#include <QDir>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <unistd.h>
#include <vector>

namespace {

// Leaves out the slips whose orders the journal knows, saying so.
void skipPrintedBefore(const batch::OrderFile& file, std::vector<std::size_t>& chosen, std::ostream& err)
{
    std::vector<std::size_t> skipped;
    std::vector<std::size_t> unknown;
    std::erase_if(chosen, [&](std::size_t i) {
        const batch::BatchSlip& slip = file.slips[i];
        const bool marked = JournalSlipCheck::Marked(slip);
        if (marked) {
            const bool cutOff = std::find(slip.warnings.begin(), slip.warnings.end(),
                                          JournalSlipCheck::kUnknownWarning) != slip.warnings.end();
            (cutOff ? unknown : skipped).push_back(i);
        }
        return marked;
    });
    if (!skipped.empty()) {
        err << "mivo-kangaroo batch: skipped " << skipped.size() << " slips of orders already printed ("
            << batch::SlipNumbers(skipped) << "); name them with --only or --from to print them again\n";
    }
    if (!unknown.empty()) {
        err << "mivo-kangaroo batch: skipped " << unknown.size()
            << " slips of orders whose job was cut off and may have printed (" << batch::SlipNumbers(unknown)
            << "); settle them with history --resolve, or name them with --only\n";
    }
}

// Resuming after a jam prints what was printed before as well; the user is told how much.
void notePrintedAgain(const batch::OrderFile& file, const std::vector<std::size_t>& chosen, std::ostream& err)
{
    std::vector<std::size_t> again;
    std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(again),
                 [&file](std::size_t i) { return JournalSlipCheck::Marked(file.slips[i]); });
    if (!again.empty()) {
        err << "mivo-kangaroo batch: printing " << again.size() << " slips of orders already printed again ("
            << batch::SlipNumbers(again) << ")\n";
    }
}

void reportSkippedRows(const batch::OrderFile& file, std::ostream& err)
{
    for (const batch::SkippedRow& row : file.skipped) {
        err << "mivo-kangaroo batch: row " << row.row << " skipped: " << row.reason << '\n';
    }
}

// The slips to print, after what the journal knows and what cannot be read; empty, with the
// reason told, when none is left.
std::vector<std::size_t> slipsToPrint(const batch::OrderFile& file, const BatchOptions& options, std::ostream& err)
{
    reportSkippedRows(file, err);
    if (file.slips.empty()) {
        err << "mivo-kangaroo batch: nothing to print: the file holds no slip with an address\n";
        return {};
    }
    std::vector<std::size_t> chosen = batch::ChooseSlips(file.slips.size(), options.only, options.from);
    if (!options.only.empty() || options.from) {
        notePrintedAgain(file, chosen, err);
    } else {
        skipPrintedBefore(file, chosen, err);
    }
    const std::vector<std::size_t> held =
        options.force ? std::vector<std::size_t>{} : batch::HoldBackBlocked(file.slips, chosen);
    if (!held.empty()) {
        err << "mivo-kangaroo batch: held back " << held.size() << " slips with unreadable characters ("
            << batch::SlipNumbers(held) << "); check them and print with --force\n";
    }
    if (chosen.empty()) {
        err << "mivo-kangaroo batch: nothing to print: every chosen slip was printed before or held back\n";
    }
    return chosen;
}

// Names each slip whose text would leave the printable area or run into another box; without
// --force nothing is printed then, so the user fixes the margins or the slips first.
bool checkFit(const batch::OrderFile& file, const std::vector<std::size_t>& chosen, const BatchTarget& target,
              bool force, std::ostream& err)
{
    const FitSlipCheck fit(target);
    std::vector<std::size_t> misfits;
    for (const std::size_t i : chosen) {
        const std::vector<std::string> warnings = fit.check(file.slips[i]);
        for (const std::string& warning : warnings) {
            err << "mivo-kangaroo batch: slip " << i + 1 << ": " << warning << '\n';
        }
        if (!warnings.empty()) {
            misfits.push_back(i);
        }
    }
    if (misfits.empty() || force) {
        return true;
    }
    err << "mivo-kangaroo batch: nothing was printed: " << misfits.size() << " slips do not fit the form ("
        << batch::SlipNumbers(misfits) << "); print them anyway with --force\n";
    return false;
}

// Slips another station's job claimed after the list was read; they print only when the user
// insisted (--force, or named them).
void reportLeftOut(const std::vector<ClaimedElsewhere>& leftOut, std::ostream& err)
{
    if (leftOut.empty()) {
        return;
    }
    err << "mivo-kangaroo batch: left out " << leftOut.size() << " slips another station is printing or printed:";
    for (const auto& [station, numbers] : LeftOutByStation(leftOut)) {
        err << ' ' << numbers << " (" << station << ')';
    }
    err << "; print them anyway with --force or --only\n";
}

int runBatchPrint(const batch::OrderFile& file, const std::vector<std::size_t>& chosen, const BatchOptions& options,
                  std::ostream& err)
{
    BatchTarget target;
    target.folder = QDir::currentPath().toStdString();
    target.paper = options.paper.value_or(1);
    target.printer = options.printer;
    target.sender = RegisteredSender(target.folder, options.sender);
    SystemPrinters printers(QString::fromStdString(target.folder.string()));
    if (!checkFit(file, chosen, target, options.force, err)) {
        return 1;
    }
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const auto progress = [&](std::size_t done) {
        if (terminal) {
            err << '\r' << done << '/' << chosen.size() << std::flush;
        }
        return !interruption::Asked();
    };
    const bool insisted = options.force || !options.only.empty() || options.from;
    const interruption::Held held;
    try {
        const BatchPrinted printed =
            PrintBatch(file.slips, chosen, target, progress, [insisted](std::size_t) { return insisted; });
        // The progress line ends before anything else is said.
        err << (terminal && !printed.slips.empty() ? "\n" : "");
        reportLeftOut(printed.leftOut, err);
        if (printed.slips.empty()) {
            err << "mivo-kangaroo batch: nothing was printed: every chosen slip is another station's\n";
            return 1;
        }
        err << "printed " << printed.slips.size() << " slips (" << batch::SlipNumbers(printed.slips)
            << ") as one job on " << printed.printer << '\n';
        if (interruption::Asked()) {
            err << "mivo-kangaroo batch: " << kInterruptedAfterPrinting << '\n';
        }
        for (const std::string& warning : printed.warnings) {
            err << "mivo-kangaroo batch: " << warning << '\n';
        }
        if (!printed.claimError.empty()) {
            err << "mivo-kangaroo batch: warning: printed without asking the other stations: " << printed.claimError
                << '\n';
        }
        if (!printed.journalError.empty()) {
            err << "mivo-kangaroo batch: warning: the print journal could not record the job: " << printed.journalError
                << '\n';
        }
        return 0;
    } catch (const printcommand::BatchJobError& error) {
        if (interruption::Asked()) {
            err << (terminal ? "\n" : "") << "mivo-kangaroo batch: " << kInterruptedBeforePrinting << '\n';
            return 1;
        }
        err << (terminal ? "\n" : "") << "mivo-kangaroo batch: slip "
            << (error.stoppedAt() < chosen.size() ? std::to_string(chosen[error.stoppedAt()] + 1) : "job") << ": "
            << error.what() << "; the job was cancelled and no slip reached the printer\n";
        return 1;
    }
}

int runBatch(const CommandContext& context)
{
    const BatchOptions options = ParseBatchOptions(context.arguments);
    batch::OrderFile file = batch::ReadOrderFile(batch::LoadOrderFile(options.file), options.read);
    const batch::PostalSlipCheck postalCheck(PostalListOf(std::filesystem::current_path(), "batch", context.err));
    const JournalSlipCheck journalCheck(journal::Journal::In(std::filesystem::current_path()));
    batch::RunChecks(file.slips, {&postalCheck, &journalCheck});
    if (options.dryRun) {
        const std::vector<std::size_t> chosen = file.slips.empty()
                                                    ? std::vector<std::size_t>()
                                                    : batch::ChooseSlips(file.slips.size(), options.only, options.from);
        context.out << batch::DryRunJson(file, chosen);
        return kDone;
    }
    const std::vector<std::size_t> chosen = slipsToPrint(file, options, context.err);
    if (chosen.empty()) {
        return kFailed;
    }
    const DrawingApplication application;
    return runBatchPrint(file, chosen, options, context.err);
}

} // namespace

const Command& BatchCommand()
{
    static const Command command{
        "batch",
        "print the slips of a shop's order export",
        "FILE [--format NAME] [--encoding utf-8|cp932] [--map FIELD=COLUMN,...] [--sender 1-10] [--paper 0|1] "
        "[--printer NAME] [--only 1,3-5] [--from N] [--dry-run] [--force]",
        "Reads the slips of a shop's order export and prints the chosen ones as one job, with a summary on standard "
        "error. Slips of orders the print journal knows are left out unless named with --only or --from (to resume "
        "after a jam). Slips another station sharing the journal claimed in the meantime are left out and named; "
        "the rest print. Orders without an address are skipped. Slips whose text would leave the printable area or run "
        "into another box of the form are named, and nothing is printed unless --force is given. The dry run prints "
        "nothing on paper and writes the "
        "slips as JSON on standard output. Exit status 1 when nothing was left to print.",
        {{"format", "NAME", "the shop's export format instead of the one the header shows"},
         {"encoding", "ENCODING", "the file's encoding", "utf-8 cp932"},
         {"map", "FIELD=COLUMN,...", "which column holds which slip field, for a file of no known format"},
         {"sender", "N", "the registered sender 1 to 10 (default 1)"},
         {"paper", "0|1", "the paper feed: 0 the first, 1 the second (default)", "0 1"},
         {"printer", "NAME", "print on this printer instead of the registered one"},
         {"only", "LIST", "only these slips, such as 1,3-5, printed before or not"},
         {"from", "N", "the slips from the Nth on, printed before or not"},
         {"dry-run", "", "write the slips as JSON instead of printing them"},
         {"force", "",
          "print slips held back for unreadable characters, slips that do not fit the form, and slips another "
          "station claimed, too"}},
        runBatch,
    };
    return command;
}
