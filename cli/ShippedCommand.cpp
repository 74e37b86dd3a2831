#include "cli/ShippedCommand.h"

#include "cli/JournalApplication.h"
#include "cli/ShippingOptions.h"
#include "journal/Journal.h"
#include "platform/AtomicFile.h"
#include "shipping/ShippedExport.h"
#include "shipping/ShippingSettings.h"

#include <ostream>
#include <stdexcept>

namespace {

struct ShippedOptions
{
    const shipping::ShippedFormat* format = nullptr;
    QDate from = QDate::currentDate();
    QDate to = QDate::currentDate();
    std::string out;
};

ShippedOptions parseOptions(const CommandArguments& arguments)
{
    shippingcli::RefuseOperands(arguments);
    ShippedOptions options;
    const std::string platform = arguments.value("platform").value_or("");
    options.format = shipping::FindShippedFormat(platform);
    if (options.format == nullptr) {
        throw UsageError(platform.empty() ? "no --platform" : "unknown platform " + platform);
    }
    const std::optional<QDate> day = shippingcli::DayOption(arguments, "date");
    const std::optional<QDate> since = shippingcli::DayOption(arguments, "since");
    if (day && since) {
        throw UsageError("--date and --since exclude each other");
    }
    if (day) {
        options.from = options.to = *day;
    } else if (since) {
        options.from = *since;
    }
    options.out = arguments.value("out").value_or("");
    if (arguments.isSet("out") && options.out.empty()) {
        throw UsageError("--out takes a file name");
    }
    return options;
}

// Entries are marked exported only once the file is out whole.
void deliver(const std::string& content, const ShippedOptions& options, std::ostream& out)
{
    if (!options.out.empty()) {
        AtomicFile::Write(options.out, content);
        return;
    }
    out << content;
    out.flush();
    if (!out) {
        throw std::runtime_error("standard output cannot be written");
    }
}

int runShipped(const CommandContext& context)
{
    const ShippedOptions options = parseOptions(context.arguments);
    const JournalApplication application;
    const auto journal = shippingcli::ExistingJournal(context.workingFolder, journal::Journal::Access::ReadWrite);
    const shipping::CarrierValues carrier =
        shipping::ReadCarrierValues(shipping::SettingsFileIn(context.workingFolder), *options.format);
    const shipping::ShippedExport shipped =
        shipping::ExportShipped(*journal, *options.format, options.from, options.to, carrier);
    deliver(shipped.content, options, context.out);
    journal->markExported(shipped.ids, std::string(options.format->name));
    context.err << shipped.ids.size() << "件を出力しました";
    const std::string leftOut = shipping::LeftOutSummary(shipped);
    context.err << (leftOut.empty() ? std::string() : "（" + leftOut + "）") << '\n';
    return kDone;
}

} // namespace

const Command& ShippedCommand()
{
    static const Command command{
        "shipped",
        "write a shop's shipped file for the slips printed that day",
        "--platform rakuten|amazon|generic [--date YYYY-MM-DD | --since YYYY-MM-DD] [--out FILE]",
        "Writes the platform's shipped file for the printed slips of the day (by default today), or of the days since "
        "that day, that have an order number and a tracking number: on standard output, or written whole to FILE. "
        "The entries in it are marked as exported; how many were left out, and why, is said on standard error.",
        {{"platform", "NAME", "the shop whose file to write", "rakuten amazon generic"},
         {"date", "YYYY-MM-DD", "the slips printed on that day"},
         {"since", "YYYY-MM-DD", "the slips printed from that day to today"},
         {"out", "FILE", "write the file here instead of on standard output"}},
        runShipped,
    };
    return command;
}
