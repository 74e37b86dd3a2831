#include "cli/PreviewCommandLine.h"

#include "cli/DrawingApplication.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "jobs/SystemPrinters.h"
#include "platform/FilePath.h"
#include "preview/FormScan.h"
#include "preview/PreviewScene.h"
#include "printers/TPrinterAccess.h"
#include "workfolder/SettingsFile.h"

#include <QDir>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Enough for a sharp proof; more would only fill the disk.
constexpr int kMaxDpi = 1200;

struct PreviewOptions
{
    std::optional<std::string> printer;
    std::optional<int> paper;
    std::optional<int> dpi;
    QString out;
    bool pdf = false;
};

PreviewOptions parseOptions(const CommandArguments& arguments)
{
    if (!arguments.operands().empty()) {
        throw UsageError("unexpected " + arguments.operands().front());
    }
    PreviewOptions options;
    options.printer = arguments.value("printer");
    options.paper = NumberOption(arguments, "paper", 0, 1);
    options.dpi = NumberOption(arguments, "dpi", 1, kMaxDpi);
    const std::string out = arguments.value("out").value_or("");
    options.out = QString::fromLocal8Bit(out.c_str());
    const QString suffix = options.out.section(u'.', -1).toLower();
    if (options.out.isEmpty() || (suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))) {
        throw UsageError("--out takes a file name ending in .png or .pdf");
    }
    options.pdf = suffix == QLatin1String("pdf");
    return options;
}

void writePreview(const PreviewOptions& options, std::ostream& err)
{
    const std::filesystem::path folder = ToPath(QDir::currentPath());
    SystemPrinters printers(QDir::currentPath());
    const Slip slip = LastSessionSlip(folder);
    const PrintTarget target = PrintTarget::Registered(
        PrinterAccess(), folder, options.paper.value_or(LastSessionPaper(folder)), options.printer);
    for (const std::string& warning : target.warnings()) {
        err << "mivo-kangaroo preview: " << warning << '\n';
    }
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

int runPreview(const CommandContext& context)
{
    const PreviewOptions options = parseOptions(context.arguments);
    const DrawingApplication application;
    writePreview(options, context.err);
    return kDone;
}

} // namespace

const Command& PreviewCommand()
{
    static const Command command{
        "preview",
        "write the preview of the last session's slip to a PNG or PDF file",
        "[--paper 0|1] [--printer NAME] [--dpi N] --out FILE.png|FILE.pdf",
        "Writes the preview of the slip that print would print, without a window: a PNG image at N dots per inch "
        "(by default the printer's horizontal resolution) or a vector PDF of the paper. Writes nothing else.",
        {{"paper", "0|1", "the paper feed: 0 the first, 1 the second", "0 1"},
         {"printer", "NAME", "lay the slip out for this printer instead of the registered one"},
         {"dpi", "N", "the resolution of a PNG, 1 to 1200"},
         {"out", "FILE", "the file to write, ending in .png or .pdf"}},
        runPreview,
    };
    return command;
}
