#include "cli/PrintCommandLine.h"

#include "jobs/PrintTarget.h"

#include "cli/InterruptedJob.h"
#include "jobs/JobInterruption.h"
#include "jobs/JournalledPrint.h"
#include "jobs/StartSlip.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "platform/FilePath.h"
#include "platform/FontSubstitutes.h"
#include "platform/StrToInt.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"
#include "workfolder/PrinterRegistration.h"
#include "workfolder/SenderFile.h"
#include "workfolder/SettingsFile.h"

#include <QDir>
#include <QGuiApplication>

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

PrintOptions parseOptions(const std::vector<std::string>& arguments)
{
    PrintOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == "--printer" && hasValue) {
            options.printer = arguments[++i];
        } else if (option == "--paper" && hasValue && (arguments[i + 1] == "0" || arguments[i + 1] == "1")) {
            options.paper = arguments[++i] == "1" ? 1 : 0;
        } else {
            throw std::runtime_error("usage: mivo-kangaroo print [--printer NAME] [--paper 0|1]");
        }
    }
    return options;
}

} // namespace

namespace {

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

} // namespace

int RunPrintCommand(int argc, char* argv[], std::ostream& err)
{
    // Printing draws with Qt but needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    const interruption::Held held;
    try {
        const std::string journalError = printLastSlip(parseOptions(std::vector<std::string>(argv + 2, argv + argc)));
        if (!journalError.empty()) {
            err << "mivo-kangaroo print: the slip was printed but not recorded in the journal: " << journalError
                << '\n';
        }
    } catch (const interruption::Interrupted&) {
        err << "mivo-kangaroo print: " << kInterruptedBeforePrinting << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "mivo-kangaroo print: " << error.what() << '\n';
        return 1;
    }
    if (interruption::Asked()) {
        err << "mivo-kangaroo print: " << kInterruptedAfterPrinting << '\n';
    }
    return 0;
}
