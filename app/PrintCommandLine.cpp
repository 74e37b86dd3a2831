#include "PrintCommandLine.h"

#include "Cp932.h"
#include "FontSubstitutes.h"
#include "HalfWidth.h"
#include "NumValue.h"
#include "PaperFeeds.h"
#include "PrintCommand.h"
#include "PrinterRegistration.h"
#include "SenderFile.h"
#include "SettingsFile.h"
#include "SlipDrawing.h"
#include "StrToInt.h"
#include "SystemPrinters.h"
#include "TPrinterAccess.h"

#include <QDate>
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

// The section of a paper selection; an index the list does not have selects no section.
std::string paperSection(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(paperfeeds::kAll))) {
        return {};
    }
    return cp932::FromUtf8(paperfeeds::kAll[index]);
}

std::string utf8(const std::string& bytes)
{
    return cp932::ToUtf8(bytes);
}

// The sender the window shows at start: sender 1 when its file exists, else the last one.
SenderRecord startSender(const SlipSettings& settings)
{
    try {
        return SenderFile::Read(SenderFile::ForTab(0));
    } catch (const std::exception&) {
        return {settings.senderZip, settings.senderAddress1, settings.senderAddress2, settings.senderName,
                settings.senderTel};
    }
}

// The piece count as its field holds it: three digits, no decimals.
std::string pieceCount(const std::string& stored)
{
    numvalue::NumFormat format;
    format.IntegerLength = 3;
    format.DecimalLength = 0;
    return numvalue::CleanText(stored, format);
}

SlipFields slipOf(const SlipSettings& settings, const SenderRecord& sender, const PrinterRegistration& entry)
{
    SlipFields f;
    f.prnTop = utf8(entry.top);
    f.prnLeft = utf8(entry.left);
    f.deliveryMonth = utf8(settings.deliveryMonth);
    f.deliveryDay = utf8(settings.deliveryDay);
    const QDate today = QDate::currentDate();
    f.slipYear = today.year();
    f.slipMonth = today.month();
    f.slipDay = today.day();
    f.goods1 = utf8(settings.goods1);
    f.goods2 = utf8(settings.goods2);
    f.goods3 = utf8(settings.goods3);
    f.tel = utf8(textimport::ToHalfWidth(settings.tel));
    f.zip = utf8(textimport::ToHalfWidth(settings.zip));
    f.address1 = utf8(settings.address1);
    f.address2 = utf8(settings.address2);
    f.name = utf8(settings.customer);
    f.senderTel = utf8(sender.tel);
    f.senderZip = utf8(sender.zip);
    f.senderAddress1 = utf8(sender.address1);
    f.senderAddress2 = utf8(sender.address2);
    f.senderName = utf8(sender.name);
    f.pieceCount = utf8(pieceCount(settings.pieceCount));
    return f;
}

// The registered printer, or NAME: never another one in its place.
void selectPrinter(TPrinterAccess& printer, const PrintOptions& options, const PrinterRegistration& entry)
{
    // A server that does not answer raises its error here.
    const std::vector<std::string> names = printer.GetPrinterNames();
    if (options.printer) {
        const auto found = std::find(names.begin(), names.end(), *options.printer);
        if (found == names.end()) {
            throw std::runtime_error("no printer named " + *options.printer);
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

void printLastSlip(const PrintOptions& options)
{
    SystemPrinters printers(QDir::currentPath());
    TPrinterAccess& printer = PrinterAccess();
    SlipFields fields = LoadLastSlip(options.printer, options.paper).fields;
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    fields.dpix = std::to_string(resolution.x);
    fields.dpiy = std::to_string(resolution.y);
    printcommand::PrintJob(printer, [&] { DrawSlip(fields, printer.Canvas()); });
}

} // namespace

LastSlip LoadLastSlip(const std::optional<std::string>& printerName, const std::optional<int>& paper)
{
    const QString folder = QDir::currentPath();
    const SlipSettings settings = SettingsFile::Read(SettingsFile::In(folder.toStdString()));
    const int paperIndex = paper.value_or(settings.paperIndex);
    const std::string section = paperSection(paperIndex);
    const PrinterRegistration entry = registration::Load(registration::RegistrationFile(folder.toStdString()), section);
    selectPrinter(PrinterAccess(), {printerName, paper}, entry);
    return {slipOf(settings, startSender(settings), entry), paperIndex};
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
        printLastSlip(parseOptions(std::vector<std::string>(argv + 2, argv + argc)));
    } catch (const std::exception& error) {
        err << "mivo-kangaroo print: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
