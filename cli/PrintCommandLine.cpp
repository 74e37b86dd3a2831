#include "app/PrintCommandLine.h"

#include "app/JournalledPrint.h"
#include "app/SenderFile.h"
#include "app/SettingsFile.h"
#include "app/StartSlip.h"
#include "app/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "platform/FilePath.h"
#include "platform/FontSubstitutes.h"
#include "platform/StrToInt.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/PrinterRegistration.h"
#include "slipprint/SlipDrawing.h"

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

void SelectCommandLinePrinter(TPrinterAccess& printer, const std::optional<std::string>& name,
                              const PrinterRegistration& entry)
{
    // A server that does not answer raises its error here: the registered printer, or NAME,
    // and never another one in its place.
    const std::vector<std::string> names = printer.GetPrinterNames();
    if (name) {
        const auto found = std::find(names.begin(), names.end(), *name);
        if (found == names.end()) {
            throw std::runtime_error("no printer named " + *name);
        }
        printer.SetIndex(static_cast<int>(found - names.begin()));
        return;
    }
    if (const std::optional<std::string> missing = registration::MissingPrinter(entry, names)) {
        throw std::runtime_error(missing->empty()
                                     ? "the registered printer number " + entry.printerIndex + " is not installed"
                                     : "the registered printer " + *missing + " is not installed");
    }
    printer.SetIndex(StrToInt(registration::ResolvePrinterIndex(entry, names)));
}

LastSlip LoadLastSlip(const std::optional<std::string>& printerName, const std::optional<int>& paper)
{
    const QString folder = QDir::currentPath();
    const SlipSettings settings = SettingsFile::Read(SettingsFile::In(ToPath(folder)));
    const int paperIndex = paper.value_or(settings.paperIndex);
    const PrinterRegistration entry =
        registration::Load(registration::RegistrationFile(ToPath(folder)), PaperSection(paperIndex));
    SelectCommandLinePrinter(PrinterAccess(), printerName, entry);
    SlipPrintState state;
    state.prnTop = cp932::ToUtf8(entry.top);
    state.prnLeft = cp932::ToUtf8(entry.left);
    return {StartSlip(settings, StartSender(ToPath(folder), settings)), state, paperIndex};
}

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

std::string PaperSection(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(paperfeeds::kAll))) {
        return {};
    }
    return cp932::FromUtf8(paperfeeds::kAll[index]);
}

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
