#include "cli/TrackCommand.h"

#include "cli/JournalApplication.h"
#include "cli/ShippingOptions.h"
#include "journal/Journal.h"
#include "platform/AtomicFile.h"
#include "shipping/ShippingSettings.h"
#include "shipping/TrackingAttach.h"

#include <QString>

#include <ostream>
#include <vector>

namespace {

struct TrackOptions
{
    std::int64_t id = 0;
    std::string number;
    bool clear = false;
    std::string file;
};

TrackOptions parseOptions(const CommandArguments& arguments)
{
    const std::vector<std::string>& operands = arguments.operands();
    TrackOptions options;
    if (const std::optional<std::string> file = arguments.value("file")) {
        if (!operands.empty() || arguments.isSet("clear")) {
            throw UsageError("--file takes the numbers from the file alone");
        }
        options.file = *file;
        return options;
    }
    options.clear = arguments.isSet("clear");
    if (operands.size() != (options.clear ? 1U : 2U)) {
        throw UsageError(options.clear ? "--clear takes one entry number"
                                       : "track takes an entry number and a tracking number");
    }
    bool ok = false;
    options.id = QString::fromStdString(operands[0]).toLongLong(&ok);
    if (!ok || options.id <= 0) {
        throw UsageError("no journal entry number: " + operands[0]);
    }
    options.number = options.clear ? std::string() : operands[1];
    return options;
}

int trackOne(journal::Journal& journal, const TrackOptions& options, shipping::CheckDigitRule rule, std::ostream& err)
{
    if (!journal.find(options.id)) {
        err << "mivo-kangaroo track: no journal entry " << options.id << '\n';
        return kFailed;
    }
    if (options.clear) {
        journal.setTrackingNumbers({{options.id, {}}});
        return kDone;
    }
    const shipping::NumberAssessment assessment = shipping::AssessNumber(journal, options.number, rule, options.id);
    if (!assessment.refusal.empty()) {
        err << "mivo-kangaroo track: " << options.number << ": " << assessment.refusal << '\n';
        return kFailed;
    }
    if (!assessment.warning.empty()) {
        err << "mivo-kangaroo track: " << assessment.number << ": " << assessment.warning << '\n';
    }
    journal.setTrackingNumbers({{options.id, assessment.number}});
    return kDone;
}

int trackFile(journal::Journal& journal, const TrackOptions& options, shipping::CheckDigitRule rule, std::ostream& out,
              std::ostream& err)
{
    const std::optional<std::string> bytes = AtomicFile::Read(options.file);
    if (!bytes) {
        err << "mivo-kangaroo track: " << options.file << " does not exist\n";
        return kFailed;
    }
    const shipping::AttachReport report =
        shipping::AttachTrackingFile(journal, shipping::ReadTrackingFile(*bytes), rule);
    for (const shipping::TrackingLineError& warning : report.warnings) {
        err << options.file << ':' << warning.row << ": " << warning.message << '\n';
    }
    for (const shipping::TrackingLineError& error : report.errors) {
        err << options.file << ':' << error.row << ": " << error.message << '\n';
    }
    out << report.stored << " numbers stored, " << report.errors.size() << " lines refused\n";
    return report.errors.empty() ? kDone : kFailed;
}

int runTrack(const CommandContext& context)
{
    const TrackOptions options = parseOptions(context.arguments);
    const JournalApplication application;
    const auto journal = shippingcli::ExistingJournal(context.workingFolder, journal::Journal::Access::ReadWrite);
    const shipping::CheckDigitRule rule = shipping::ReadCheckDigitRule(shipping::SettingsFileIn(context.workingFolder));
    return options.file.empty() ? trackOne(*journal, options, rule, context.err)
                                : trackFile(*journal, options, rule, context.out, context.err);
}

} // namespace

const Command& TrackCommand()
{
    static const Command command{
        "track",
        "give journal entries the tracking numbers of their forms",
        "ID NUMBER | ID --clear | --file FILE",
        "Gives the journal entry ID the tracking number NUMBER, or takes its number away with --clear. A file holds "
        "lines of order,number or id,number (a header is optional); its good lines are stored and each refused one "
        "is named on standard error. A number held by another entry, or one the check digit refuses, exits 1.",
        {{"clear", "", "take the entry's tracking number away"},
         {"file", "FILE", "take the numbers from the lines of FILE"}},
        runTrack,
    };
    return command;
}
