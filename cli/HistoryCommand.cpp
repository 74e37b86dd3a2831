#include "cli/HistoryCommand.h"

#include "cli/DrawingApplication.h"
#include "cli/InterruptedJob.h"
#include "cli/JournalApplication.h"
#include "jobs/JournalledPrint.h"
#include "jobs/SlipJobs.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"
#include "journal/SlipJson.h"
#include "platform/FilePath.h"
#include "printers/TPrinterAccess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct HistoryOptions
{
    journal::JournalQuery query;
    bool json = false;
};

struct ReprintOptions
{
    std::int64_t id = 0;
    std::string printer;
    bool keepDate = false;
};

HistoryOptions parseHistory(const CommandArguments& arguments)
{
    if (!arguments.operands().empty()) {
        throw UsageError("unexpected " + arguments.operands().front());
    }
    HistoryOptions options;
    options.json = arguments.isSet("json");
    options.query.text = arguments.value("search").value_or("");
    if (const std::optional<std::string> text = arguments.value("since")) {
        const QDate since = QDate::fromString(QString::fromStdString(*text), Qt::ISODate);
        if (!since.isValid()) {
            throw UsageError("--since wants a date such as 2026-12-01");
        }
        options.query.from = since;
    }
    return options;
}

ReprintOptions parseReprint(const CommandArguments& arguments)
{
    const std::vector<std::string>& operands = arguments.operands();
    bool number = false;
    const qlonglong id = operands.size() == 1 ? QString::fromStdString(operands.front()).toLongLong(&number) : 0;
    if (!number || id <= 0) {
        throw UsageError(operands.size() > 1 ? "one journal entry at a time" : "no journal entry number");
    }
    return {id, arguments.value("printer").value_or(""), arguments.isSet("keep-date")};
}

QJsonObject jsonOf(const journal::JournalEntry& entry)
{
    QJsonObject json = journal::SlipToJson(entry.slip, entry.printState);
    json.insert(QStringLiteral("id"), static_cast<qint64>(entry.id));
    json.insert(QStringLiteral("time"), entry.time.toOffsetFromUtc(entry.time.offsetFromUtc()).toString(Qt::ISODate));
    json.insert(QStringLiteral("status"), QString::fromLatin1(journal::StatusName(entry.status)));
    json.insert(QStringLiteral("printer"), QString::fromStdString(entry.printer));
    json.insert(QStringLiteral("paperFeed"), QString::fromStdString(entry.paperFeed));
    json.insert(QStringLiteral("order"), QString::fromStdString(entry.orderNumber));
    json.insert(QStringLiteral("job"), entry.cupsJobId);
    json.insert(QStringLiteral("file"), QString::fromStdString(entry.pdfFile));
    json.insert(QStringLiteral("message"), QString::fromStdString(entry.message));
    json.insert(QStringLiteral("reprintOf"), static_cast<qint64>(entry.reprintOf));
    return json;
}

void writeText(const std::vector<journal::JournalEntry>& entries, std::ostream& out)
{
    for (const journal::JournalEntry& e : entries) {
        const QString line =
            QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9")
                .arg(e.id)
                .arg(e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     QString::fromLatin1(journal::StatusName(e.status)), QString::fromStdString(e.printer),
                     QString::fromStdString(e.orderNumber), QString::fromStdString(e.slip.recipient.name),
                     QString::fromStdString(e.slip.recipient.zip), QString::fromStdString(e.slip.recipient.address1),
                     QString::fromStdString(e.slip.recipient.tel));
        out << line.toStdString() << '\n';
    }
}

std::filesystem::path journalOfWorkingFolder()
{
    return journal::Journal::In(ToPath(QDir::currentPath()));
}

// A journal that does not exist has no entries; reading never creates one.
std::shared_ptr<journal::Journal> existingJournal()
{
    const std::filesystem::path file = journalOfWorkingFolder();
    if (!journal::MayHaveEntries(file)) {
        return nullptr;
    }
    return journal::OpenShared(file, journal::Journal::Access::ReadOnly);
}

// `history --resolve ID printed|not-printed`: the user settles an entry whose job was cut off.
int resolveEntry(const std::string& idText, const std::vector<std::string>& operands)
{
    bool number = false;
    const qlonglong id = QString::fromStdString(idText).toLongLong(&number);
    if (!number || id <= 0 || operands.size() != 1 || (operands[0] != "printed" && operands[0] != "not-printed")) {
        throw UsageError("--resolve takes an entry number and printed or not-printed");
    }
    const std::shared_ptr<journal::Journal> journal = existingJournal();
    if (!journal || !journal->resolve(id, operands[0] == "printed")) {
        throw std::runtime_error("entry " + std::to_string(id) + " is not of unknown outcome");
    }
    return kDone;
}

int runHistory(const CommandContext& context)
{
    const JournalApplication application;
    if (const std::optional<std::string> id = context.arguments.value("resolve")) {
        return resolveEntry(*id, context.arguments.operands());
    }
    const HistoryOptions options = parseHistory(context.arguments);
    std::ostream& out = context.out;
    std::vector<journal::JournalEntry> entries;
    if (const std::shared_ptr<journal::Journal> journal = existingJournal()) {
        entries = journal->search(options.query);
    }
    if (options.json) {
        QJsonArray array;
        for (const journal::JournalEntry& entry : entries) {
            array.append(jsonOf(entry));
        }
        out << QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
    } else {
        writeText(entries, out);
    }
    return kDone;
}

int runReprint(const CommandContext& context)
{
    const ReprintOptions options = parseReprint(context.arguments);
    const DrawingApplication application;
    const std::shared_ptr<journal::Journal> journal = existingJournal();
    const std::optional<journal::JournalEntry> entry = journal ? journal->find(options.id) : std::nullopt;
    if (!entry) {
        throw std::runtime_error("no journal entry " + std::to_string(options.id));
    }
    SystemPrinters printers(QDir::currentPath());
    return RunUninterrupted("reprint", context.err, [&] {
        const journalprint::Outcome outcome =
            slipjobs::Reprint(PrinterAccess(), journalOfWorkingFolder(), *entry, options.printer, options.keepDate);
        if (!outcome.journalError.empty()) {
            context.err << "mivo-kangaroo reprint: the slip was printed but not recorded in the journal: "
                        << outcome.journalError << '\n';
        }
    });
}

} // namespace

const Command& HistoryCommand()
{
    static const Command command{
        "history",
        "list the print journal of the working folder",
        "[--search TEXT] [--since YYYY-MM-DD] [--json] | --resolve ID printed|not-printed",
        "Lists the print journal of the working folder, newest first, as tab-separated lines or as a JSON array whose "
        "slip fields carry the names import uses. An entry whose job was cut off reads as unknown until --resolve "
        "settles it as printed or not printed.",
        {{"search", "TEXT", "only the entries whose slip contains TEXT"},
         {"resolve", "ID", "settle entry ID, whose job was cut off, as printed or not-printed"},
         {"since", "YYYY-MM-DD", "only the entries printed on or after that day"},
         {"json", "", "write a JSON array instead of lines"}},
        runHistory,
    };
    return command;
}

const Command& ReprintCommand()
{
    static const Command command{
        "reprint",
        "print a journal entry again",
        "ID [--printer NAME] [--keep-date]",
        "Prints the journal entry ID again, dated today unless --keep-date, on its own printer or on NAME, and "
        "records the new job in the journal. An unknown ID exits 1.",
        {{"printer", "NAME", "print on this printer instead of the entry's own"},
         {"keep-date", "", "keep the date the slip was first printed with"}},
        runReprint,
    };
    return command;
}
