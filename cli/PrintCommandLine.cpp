#include "cli/PrintCommandLine.h"

#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"

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
    const std::filesystem::path folder = ToPath(QDir::currentPath());
    SystemPrinters printers(QDir::currentPath());
    const Slip slip = LastSessionSlip(folder);
    const PrintTarget target = PrintTarget::Registered(
        PrinterAccess(), folder, options.paper.value_or(LastSessionPaper(folder)), options.printer);
    return slipjobs::PrintSlip(target, journal::Journal::In(folder), slip).journalError;
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
    try {
        const std::string journalError = printLastSlip(parseOptions(std::vector<std::string>(argv + 2, argv + argc)));
        if (!journalError.empty()) {
            err << "mivo-kangaroo print: the slip was printed but not recorded in the journal: " << journalError
                << '\n';
        }
    } catch (const std::exception& error) {
        err << "mivo-kangaroo print: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
