#include "cli/ShippedCommand.h"

#include "cli/ShippingOptions.h"
#include "journal/Journal.h"
#include "platform/AtomicFile.h"
#include "platform/FilePath.h"
#include "shipping/ShippedExport.h"
#include "shipping/ShippingSettings.h"

#include <QCoreApplication>
#include <QDir>

#include <ostream>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: mivo-kangaroo shipped --platform rakuten|amazon|generic"
                               " [--date YYYY-MM-DD | --since YYYY-MM-DD] [--out FILE]";

struct ShippedOptions
{
    const shipping::ShippedFormat* format = nullptr;
    QDate from = QDate::currentDate();
    QDate to = QDate::currentDate();
    std::string out;
};

ShippedOptions parseOptions(const std::vector<std::string>& arguments)
{
    ShippedOptions options;
    bool dated = false;
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            throw shippingcli::UsageError(kUsage);
        }
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        if (option == "--platform") {
            options.format = shipping::FindShippedFormat(value);
            if (options.format == nullptr) {
                throw shippingcli::UsageError("unknown platform " + value + "\n" + kUsage);
            }
        } else if ((option == "--date" || option == "--since") && !dated) {
            dated = true;
            options.from = shippingcli::DayOption(option, value);
            options.to = option == "--date" ? options.from : QDate::currentDate();
        } else if (option == "--out" && !value.empty()) {
            options.out = value;
        } else {
            throw shippingcli::UsageError(kUsage);
        }
    }
    if (options.format == nullptr) {
        throw shippingcli::UsageError(kUsage);
    }
    return options;
}

int exportShipped(const ShippedOptions& options, std::ostream& out, std::ostream& err)
{
    journal::Journal journal(shippingcli::ExistingJournal());
    const shipping::CarrierValues carrier =
        shipping::ReadCarrierValues(shipping::SettingsFileIn(ToPath(QDir::currentPath())), *options.format);
    const shipping::ShippedExport shipped =
        shipping::ExportShipped(journal, *options.format, options.from, options.to, carrier);
    if (options.out.empty()) {
        out << shipped.content;
        out.flush();
        if (!out) {
            err << "mivo-kangaroo shipped: standard output cannot be written\n";
            return 1;
        }
    } else {
        AtomicFile::Write(options.out, shipped.content);
    }
    journal.markExported(shipped.ids, std::string(options.format->name));
    err << shipped.ids.size() << "件を出力しました";
    const std::string leftOut = shipping::LeftOutSummary(shipped);
    err << (leftOut.empty() ? std::string() : "（" + leftOut + "）") << '\n';
    return 0;
}

} // namespace

int RunShippedCommand(int argc, char* argv[], std::ostream& out, std::ostream& err)
{
    QCoreApplication application(argc, argv);
    return shippingcli::ExitStatusOf(
        err, "shipped", [&] { return parseOptions(shippingcli::ArgumentsOf(argc, argv)); },
        [&](const ShippedOptions& options) { return exportShipped(options, out, err); });
}
