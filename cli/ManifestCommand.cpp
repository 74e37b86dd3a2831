#include "cli/ManifestCommand.h"

#include "cli/ShippingOptions.h"
#include "jobs/BatchPrint.h"
#include "jobs/StartSlip.h"
#include "journal/Journal.h"
#include "platform/FilePath.h"
#include "platform/FontSubstitutes.h"
#include "shipping/ManifestPdf.h"

#include <QDir>
#include <QGuiApplication>

#include <ostream>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: mivo-kangaroo manifest [--date YYYY-MM-DD] [--sender 1-10] --out FILE.pdf";

struct ManifestOptions
{
    QDate date = QDate::currentDate();
    int sender = 0; // 0: every sender
    std::string out;
};

int senderOption(const std::string& text)
{
    bool ok = false;
    const int number = QString::fromStdString(text).toInt(&ok);
    if (!ok || number < 1 || number > 10) {
        throw shippingcli::UsageError(kUsage);
    }
    return number;
}

ManifestOptions parseOptions(const std::vector<std::string>& arguments)
{
    ManifestOptions options;
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            throw shippingcli::UsageError(kUsage);
        }
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        if (option == "--date") {
            options.date = shippingcli::DayOption(option, value);
        } else if (option == "--sender") {
            options.sender = senderOption(value);
        } else if (option == "--out") {
            options.out = value;
        } else {
            throw shippingcli::UsageError(kUsage);
        }
    }
    if (!QString::fromStdString(options.out).endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        throw shippingcli::UsageError(kUsage);
    }
    return options;
}

std::optional<SlipAddress> senderOf(int number)
{
    if (number == 0) {
        return std::nullopt;
    }
    return SenderAddress(RegisteredSender(ToPath(QDir::currentPath()), number));
}

void writeManifest(const ManifestOptions& options)
{
    journal::Journal journal(shippingcli::ExistingJournal());
    const shipping::Manifest manifest =
        shipping::BuildManifest(journal.printedOn(options.date, options.date), options.date, senderOf(options.sender));
    shipping::WriteManifestPdf(manifest, options.out);
}

} // namespace

int RunManifestCommand(int argc, char* argv[], std::ostream& err)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    return shippingcli::ExitStatusOf(
        err, "manifest", [&] { return parseOptions(shippingcli::ArgumentsOf(argc, argv)); },
        [](const ManifestOptions& options) {
            writeManifest(options);
            return 0;
        });
}
