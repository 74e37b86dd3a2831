#include "cli/PrintCommandLine.h"

#include "cli/DrawingApplication.h"
#include "jobs/JournalledPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/StartSlip.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "platform/FilePath.h"
#include "platform/StrToInt.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"
#include "workfolder/PrinterRegistration.h"
#include "workfolder/SenderFile.h"
#include "workfolder/SettingsFile.h"

#include <QDir>

#include <algorithm>
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
    const QString folder = QDir::currentPath();
    SystemPrinters printers(folder);
    TPrinterAccess& printer = PrinterAccess();
    const LastSlip last = LoadLastSlip(options.printer, options.paper);
    SlipPrintState state = last.state;
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    state.dpix = std::to_string(resolution.x);
    state.dpiy = std::to_string(resolution.y);
    const journalprint::JobContext context{cp932::ToUtf8(PaperSection(last.paperIndex)), {}, 0};
    return journalprint::PrintAndRecord(printer, journal::Journal::In(ToPath(folder)), last.slip, state, context,
                                        [&] { DrawSlip(last.slip, state, printer.Canvas()); })
        .journalError;
}

int runPrint(const CommandContext& context)
{
    const PrintOptions options = parseOptions(context.arguments);
    const DrawingApplication application;
    const std::string journalError = printLastSlip(options);
    if (!journalError.empty()) {
        context.err << "mivo-kangaroo print: the slip was printed but not recorded in the journal: " << journalError
                    << '\n';
    }
    return kDone;
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
