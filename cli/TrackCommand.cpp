#include "cli/TrackCommand.h"

#include "cli/ShippingOptions.h"
#include "journal/Journal.h"
#include "platform/AtomicFile.h"
#include "platform/FilePath.h"
#include "shipping/ShippingSettings.h"
#include "shipping/TrackingAttach.h"

#include <QCoreApplication>
#include <QDir>

#include <ostream>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: mivo-kangaroo track ID NUMBER | track ID --clear | track --file FILE";

struct TrackOptions
{
    std::int64_t id = 0;
    std::string number;
    bool clear = false;
    std::string file;
};

TrackOptions parseOptions(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2) {
        throw shippingcli::UsageError(kUsage);
    }
    TrackOptions options;
    if (arguments[0] == "--file") {
        options.file = arguments[1];
        return options;
    }
    bool ok = false;
    options.id = QString::fromStdString(arguments[0]).toLongLong(&ok);
    if (!ok || options.id <= 0) {
        throw shippingcli::UsageError(kUsage);
    }
    options.clear = arguments[1] == "--clear";
    options.number = arguments[1];
    return options;
}

shipping::CheckDigitRule checkDigitRule()
{
    return shipping::ReadCheckDigitRule(shipping::SettingsFileIn(ToPath(QDir::currentPath())));
}

int trackOne(journal::Journal& journal, const TrackOptions& options, std::ostream& err)
{
    if (!journal.find(options.id)) {
        err << "mivo-kangaroo track: no journal entry " << options.id << '\n';
        return 1;
    }
    if (options.clear) {
        journal.setTrackingNumbers({{options.id, {}}});
        return 0;
    }
    const shipping::NumberAssessment assessment =
        shipping::AssessNumber(journal, options.number, checkDigitRule(), options.id);
    if (!assessment.refusal.empty()) {
        err << "mivo-kangaroo track: " << options.number << ": " << assessment.refusal << '\n';
        return 1;
    }
    if (!assessment.warning.empty()) {
        err << "mivo-kangaroo track: " << assessment.number << ": " << assessment.warning << '\n';
    }
    journal.setTrackingNumbers({{options.id, assessment.number}});
    return 0;
}

int trackFile(journal::Journal& journal, const TrackOptions& options, std::ostream& out, std::ostream& err)
{
    const std::optional<std::string> bytes = AtomicFile::Read(options.file);
    if (!bytes) {
        err << "mivo-kangaroo track: " << options.file << " does not exist\n";
        return 1;
    }
    const shipping::AttachReport report =
        shipping::AttachTrackingFile(journal, shipping::ReadTrackingFile(*bytes), checkDigitRule());
    for (const shipping::TrackingLineError& warning : report.warnings) {
        err << options.file << ':' << warning.row << ": " << warning.message << '\n';
    }
    for (const shipping::TrackingLineError& error : report.errors) {
        err << options.file << ':' << error.row << ": " << error.message << '\n';
    }
    out << report.stored << " numbers stored, " << report.errors.size() << " lines refused\n";
    return report.errors.empty() ? 0 : 1;
}

} // namespace

int RunTrackCommand(int argc, char* argv[], std::ostream& out, std::ostream& err)
{
    QCoreApplication application(argc, argv);
    return shippingcli::ExitStatusOf(
        err, "track", [&] { return parseOptions(shippingcli::ArgumentsOf(argc, argv)); },
        [&](const TrackOptions& options) {
            journal::Journal journal(shippingcli::ExistingJournal());
            return options.file.empty() ? trackOne(journal, options, err) : trackFile(journal, options, out, err);
        });
}
