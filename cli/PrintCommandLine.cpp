#include "cli/PrintCommandLine.h"

#include "cli/DrawingApplication.h"
#include "cli/InterruptedJob.h"
#include "jobs/JobInterruption.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/FilePath.h"
#include "printers/TPrinterAccess.h"

#include <QDir>

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct PrintOptions
{
    std::optional<std::string> printer;
    std::optional<int> paper;
    bool force = false; // prints a slip that does not fit the form too
};

PrintOptions parseOptions(const CommandArguments& arguments)
{
    if (!arguments.operands().empty()) {
        throw UsageError("unexpected " + arguments.operands().front());
    }
    return {arguments.value("printer"), NumberOption(arguments, "paper", 0, 1), arguments.isSet("force")};
}

// Names each text that would not land where the form wants it; without --force the slip is
// not printed, since a cut name or an address over the sender's wastes the form.
void checkFit(const PrintTarget& target, const Slip& slip, bool force, std::ostream& err)
{
    const std::vector<std::string> warnings = slipjobs::FitWarnings(target, slip);
    for (const std::string& warning : warnings) {
        err << "mivo-kangaroo print: " << warning << '\n';
    }
    if (!warnings.empty() && !force) {
        throw std::runtime_error("the slip does not fit the form; nothing was printed (print it anyway with --force)");
    }
}

// Returns why the journal could not record the slip; empty when it did.
std::string printLastSlip(const PrintOptions& options, std::ostream& err)
{
    const std::filesystem::path folder = ToPath(QDir::currentPath());
    SystemPrinters printers(QDir::currentPath());
    const Slip slip = LastSessionSlip(folder);
    const PrintTarget target = PrintTarget::Registered(
        PrinterAccess(), folder, options.paper.value_or(LastSessionPaper(folder)), options.printer);
    for (const std::string& warning : target.warnings()) {
        err << "mivo-kangaroo print: " << warning << '\n';
    }
    checkFit(target, slip, options.force, err);
    return slipjobs::PrintSlip(target, journal::Journal::In(folder), slip).journalError;
}

int runPrint(const CommandContext& context)
{
    const PrintOptions options = parseOptions(context.arguments);
    const DrawingApplication application;
    return RunUninterrupted("print", context.err, [&] {
        const std::string journalError = printLastSlip(options, context.err);
        if (!journalError.empty()) {
            context.err << "mivo-kangaroo print: the slip was printed but not recorded in the journal: " << journalError
                        << '\n';
        }
    });
}

} // namespace

const Command& PrintCommand()
{
    static const Command command{
        "print",
        "print the slip of the last session",
        "[--printer NAME] [--paper 0|1] [--force]",
        "Prints the slip the window shows at start (the settings file, the registration of the paper feed, sender 1) "
        "without a window and without asking, on the registered printer or on NAME, and records it in the print "
        "journal. A slip whose text would leave the printer's printable area or run into another box of the form is "
        "named on standard error and not printed unless --force is given. Prints nothing on standard output.",
        {{"printer", "NAME", "print on this printer instead of the registered one"},
         {"paper", "0|1", "the paper feed: 0 the first, 1 the second", "0 1"},
         {"force", "", "print a slip that does not fit the form too"}},
        runPrint,
    };
    return command;
}
