#include "cli/BatchCommand.h"

#include "batch/ColumnMapping.h"
#include "batch/DryRunJson.h"
#include "batch/OrderFile.h"
#include "batch/PostalSlipCheck.h"
#include "batch/SlipSelection.h"
#include "cli/BatchOptions.h"
#include "jobs/BatchPrint.h"
#include "jobs/JournalSlipCheck.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/FontSubstitutes.h"
#include "postal/PostalDirectory.h"
#include "slipprint/BatchJob.h"

#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "usage: mivo-kangaroo batch FILE [--format NAME] [--encoding utf-8|cp932] [--map FIELD=COLUMN,…] "
    "[--sender 1-10] [--paper 0|1] [--printer NAME] [--only 1,3-5] [--from N] [--dry-run]\n";

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw batch::BatchError("cannot open " + path);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) {
        throw batch::BatchError("cannot read " + path);
    }
    return std::move(bytes).str();
}

// Leaves out the slips whose orders the journal knows, saying so.
void skipPrintedBefore(const batch::OrderFile& file, std::vector<std::size_t>& chosen, std::ostream& err)
{
    std::vector<std::size_t> skipped;
    std::erase_if(chosen, [&](std::size_t i) {
        const bool marked = JournalSlipCheck::Marked(file.slips[i]);
        if (marked) {
            skipped.push_back(i);
        }
        return marked;
    });
    if (!skipped.empty()) {
        err << "mivo-kangaroo batch: skipped " << skipped.size() << " slips of orders already printed ("
            << batch::SlipNumbers(skipped) << "); name them with --only or --from to print them again\n";
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

// The slips to print, after what the journal knows; empty, with the reason told, when none is left.
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
    if (chosen.empty()) {
        err << "mivo-kangaroo batch: nothing to print: every chosen slip was printed before\n";
    }
    return chosen;
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
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const auto progress = [&](std::size_t done) {
        if (terminal) {
            err << '\r' << done << '/' << chosen.size() << std::flush;
        }
        return true;
    };
    try {
        const BatchPrinted printed = PrintBatch(file.slips, chosen, target, progress);
        err << (terminal ? "\n" : "") << "printed " << chosen.size() << " slips (" << batch::SlipNumbers(chosen)
            << ") as one job on " << printed.printer << '\n';
        if (!printed.journalError.empty()) {
            err << "mivo-kangaroo batch: warning: the print journal could not record the job: " << printed.journalError
                << '\n';
        }
        return 0;
    } catch (const printcommand::BatchJobError& error) {
        err << (terminal ? "\n" : "") << "mivo-kangaroo batch: slip "
            << (error.stoppedAt() < chosen.size() ? std::to_string(chosen[error.stoppedAt()] + 1) : "job") << ": "
            << error.what() << "; the job was cancelled and no slip reached the printer\n";
        return 1;
    }
}

} // namespace

int RunBatchCommand(int argc, char* argv[], std::ostream& out, std::ostream& err)
{
    BatchOptions options;
    try {
        options = ParseBatchOptions(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const BatchUsageError& error) {
        err << "mivo-kangaroo batch: " << error.what() << '\n' << kUsage;
        return 2;
    }
    try {
        batch::OrderFile file = batch::ReadOrderFile(readFile(options.file), options.read);
        const batch::PostalSlipCheck postalCheck(postal::directoryFor(std::filesystem::current_path()));
        const JournalSlipCheck journalCheck(journal::Journal::In(std::filesystem::current_path()));
        batch::RunChecks(file.slips, {&postalCheck, &journalCheck});
        if (options.dryRun) {
            const std::vector<std::size_t> chosen =
                file.slips.empty() ? std::vector<std::size_t>()
                                   : batch::ChooseSlips(file.slips.size(), options.only, options.from);
            out << batch::DryRunJson(file, chosen);
            return 0;
        }
        const std::vector<std::size_t> chosen = slipsToPrint(file, options, err);
        if (chosen.empty()) {
            return 1;
        }
        // Printing draws with Qt but needs no screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QGuiApplication application(argc, argv);
        InstallFontSubstitutes();
        return runBatchPrint(file, chosen, options, err);
    } catch (const std::exception& error) {
        err << "mivo-kangaroo batch: " << error.what() << '\n';
        return 1;
    }
}
