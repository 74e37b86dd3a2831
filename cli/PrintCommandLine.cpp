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
#include <string>

namespace {

struct PrintOptions
{
    std::optional<std::string> printer;
    std::optional<int> paper;
};

PrintOptions parseOptions(const CommandArguments& arguments)
{
    if (!arguments.operands().empty()) {
        throw UsageError("unexpected " + arguments.operands().front());
    }
    return {arguments.value("printer"), NumberOption(arguments, "paper", 0, 1)};
}

// Returns why the journal could not record the slip; empty when it did.
std::string printLastSlip(const PrintOptions& options)
{
    const std::filesystem::path folder = ToPath(QDir::currentPath());
    SystemPrinters printers(QDir::currentPath());
    const Slip slip = LastSessionSlip(folder);
    const PrintTarget target = PrintTarget::Registered(
        PrinterAccess(), folder, options.paper.value_or(LastSessionPaper(folder)), options.printer);
    return slipjobs::PrintSlip(target, journal::Journal::In(folder), slip).journalError;
}

int runPrint(const CommandContext& context)
{
    const PrintOptions options = parseOptions(context.arguments);
    const DrawingApplication application;
    return RunUninterrupted("print", context.err, [&] {
        const std::string journalError = printLastSlip(options);
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
        "[--printer NAME] [--paper 0|1]",
        "Prints the slip the window shows at start (the settings file, the registration of the paper feed, sender 1) "
        "without a window and without asking, on the registered printer or on NAME, and records it in the print "
        "journal. Prints nothing on standard output.",
        {{"printer", "NAME", "print on this printer instead of the registered one"},
         {"paper", "0|1", "the paper feed: 0 the first, 1 the second", "0 1"}},
        runPrint,
    };
    return command;
}
