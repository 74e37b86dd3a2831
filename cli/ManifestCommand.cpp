#include "cli/ManifestCommand.h"

#include "cli/DrawingApplication.h"
#include "cli/ShippingOptions.h"
#include "jobs/BatchPrint.h"
#include "jobs/StartSlip.h"
#include "journal/Journal.h"
#include "shipping/ManifestPdf.h"

#include <QString>

namespace {

struct ManifestOptions
{
    QDate date;
    std::optional<int> sender; // none: every sender
    std::string out;
};

ManifestOptions parseOptions(const CommandArguments& arguments)
{
    shippingcli::RefuseOperands(arguments);
    ManifestOptions options;
    options.date = shippingcli::DayOption(arguments, "date").value_or(QDate::currentDate());
    options.sender = NumberOption(arguments, "sender", 1, 10);
    options.out = arguments.value("out").value_or("");
    if (!QString::fromStdString(options.out).endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        throw UsageError("--out takes a file name ending in .pdf");
    }
    return options;
}

std::optional<SlipAddress> senderOf(const std::filesystem::path& folder, std::optional<int> number)
{
    if (!number) {
        return std::nullopt;
    }
    return SenderAddress(RegisteredSender(folder, *number));
}

int runManifest(const CommandContext& context)
{
    const ManifestOptions options = parseOptions(context.arguments);
    const DrawingApplication application;
    const std::optional<SlipAddress> sender = senderOf(context.workingFolder, options.sender);
    const auto journal = shippingcli::ExistingJournal(context.workingFolder, journal::Journal::Access::ReadOnly);
    const shipping::Manifest manifest =
        shipping::BuildManifest(journal->printedOn(options.date, options.date), options.date, sender);
    shipping::WriteManifestPdf(manifest, options.out);
    return kDone;
}

} // namespace

const Command& ManifestCommand()
{
    static const Command command{
        "manifest",
        "write the driver's list of the slips printed that day as a PDF",
        "[--date YYYY-MM-DD] [--sender 1-10] --out FILE.pdf",
        "Draws the driver's list of the slips printed on the day (by default today), of one registered sender or of "
        "all, on A4 and writes it whole as a PDF file. The journal is only read.",
        {{"date", "YYYY-MM-DD", "the slips printed on that day"},
         {"sender", "N", "only the slips of the registered sender 1 to 10"},
         {"out", "FILE", "the PDF file to write"}},
        runManifest,
    };
    return command;
}
