#include "cli/PreviewCommandLine.h"

#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "jobs/SystemPrinters.h"
#include "platform/FilePath.h"
#include "platform/FontSubstitutes.h"
#include "preview/FormScan.h"
#include "preview/PreviewScene.h"
#include "printers/TPrinterAccess.h"
#include "workfolder/SettingsFile.h"

#include <QDir>
#include <QGuiApplication>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: mivo-kangaroo preview [--paper 0|1] [--printer NAME] [--dpi N] --out FILE.png|FILE.pdf";
// Enough for a sharp proof; more would only fill the disk.
constexpr int kMaxDpi = 1200;

class UsageError : public std::runtime_error
{
public:
    UsageError() : std::runtime_error(kUsage) {}
};

struct PreviewOptions
{
    std::optional<std::string> printer;
    std::optional<int> paper;
    std::optional<int> dpi;
    QString out;
    bool pdf = false;
};

int dpiOption(const std::string& text)
{
    std::size_t used = 0;
    int dpi = 0;
    try {
        dpi = std::stoi(text, &used);
    } catch (const std::exception&) {
        throw UsageError();
    }
    if (used != text.size() || dpi < 1 || dpi > kMaxDpi) {
        throw UsageError();
    }
    return dpi;
}

PreviewOptions parseOptions(const std::vector<std::string>& arguments)
{
    PreviewOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (i + 1 >= arguments.size()) {
            throw UsageError();
        }
        const std::string& value = arguments[++i];
        if (option == "--printer") {
            options.printer = value;
        } else if (option == "--paper" && (value == "0" || value == "1")) {
            options.paper = value == "1" ? 1 : 0;
        } else if (option == "--dpi") {
            options.dpi = dpiOption(value);
        } else if (option == "--out") {
            options.out = QString::fromLocal8Bit(value.c_str());
        } else {
            throw UsageError();
        }
    }
    const QString suffix = options.out.section(u'.', -1).toLower();
    if (options.out.isEmpty() || (suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))) {
        throw UsageError();
    }
    options.pdf = suffix == QLatin1String("pdf");
    return options;
}

void writePreview(const PreviewOptions& options)
{
    const std::filesystem::path folder = ToPath(QDir::currentPath());
    SystemPrinters printers(QDir::currentPath());
    const Slip slip = LastSessionSlip(folder);
    const PrintTarget target = PrintTarget::Registered(
        PrinterAccess(), folder, options.paper.value_or(LastSessionPaper(folder)), options.printer);
    PreviewScene scene = slipjobs::Preview(target, slip);
    if (const auto scan = formscan::Read(SettingsFile::In(folder))) {
        preview::AddScan(scene, *scan);
    }
    if (options.pdf) {
        preview::WritePdf(options.out, scene);
    } else {
        preview::WritePng(options.out, scene, options.dpi.value_or(scene.page.dpi.x));
    }
}

} // namespace

int RunPreviewCommand(int argc, char* argv[], std::ostream& err)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    try {
        writePreview(parseOptions(std::vector<std::string>(argv + 2, argv + argc)));
    } catch (const UsageError& error) {
        err << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        err << "mivo-kangaroo preview: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
