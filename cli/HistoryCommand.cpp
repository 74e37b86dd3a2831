#include "cli/HistoryCommand.h"

#include "cli/InterruptedJob.h"
#include "jobs/JobInterruption.h"
#include "jobs/JournalledPrint.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"
#include "journal/SlipJson.h"
#include "platform/FilePath.h"
#include "platform/FontSubstitutes.h"
#include "printers/TPrinterAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

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

std::vector<std::string> argumentsOf(int argc, char* argv[])
{
    return std::vector<std::string>(argv + 2, argv + argc);
}

HistoryOptions parseHistory(const std::vector<std::string>& arguments)
{
    HistoryOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == "--json") {
            options.json = true;
        } else if (option == "--search" && hasValue) {
            options.query.text = arguments[++i];
        } else if (option == "--since" && hasValue) {
            const QDate since = QDate::fromString(QString::fromStdString(arguments[++i]), Qt::ISODate);
            if (!since.isValid()) {
                throw UsageError("--since wants a date such as 2026-12-01");
            }
            options.query.from = since;
        } else {
            throw UsageError("usage: mivo-kangaroo history [--search TEXT] [--since YYYY-MM-DD] [--json]\n"
                             "       mivo-kangaroo history --resolve ID printed|not-printed");
        }
    }
    return options;
}

ReprintOptions parseReprint(const std::vector<std::string>& arguments)
{
    ReprintOptions options;
    bool haveId = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool number = false;
        const qlonglong id = QString::fromStdString(argument).toLongLong(&number);
        if (argument == "--printer" && i + 1 < arguments.size()) {
            options.printer = arguments[++i];
        } else if (argument == "--keep-date") {
            options.keepDate = true;
        } else if (number && id > 0 && !haveId) {
            options.id = id;
            haveId = true;
        } else {
            haveId = false;
            break;
        }
    }
    if (!haveId) {
        throw UsageError("usage: mivo-kangaroo reprint ID [--printer NAME] [--keep-date]");
    }
    return options;
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
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return nullptr;
    }
    return journal::OpenShared(file, journal::Journal::Access::ReadOnly);
}

} // namespace

int RunHistoryCommand(int argc, char* argv[], std::ostream& out, std::ostream& err)
{
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments = argumentsOf(argc, argv);
    if (!arguments.empty() && arguments.front() == "--resolve") {
        return RunResolveCommand({arguments.begin() + 1, arguments.end()}, err);
    }
    HistoryOptions options;
    try {
        options = parseHistory(arguments);
    } catch (const UsageError& error) {
        err << "mivo-kangaroo history: " << error.what() << '\n';
        return 2;
    }
    std::vector<journal::JournalEntry> entries;
    try {
        if (const std::shared_ptr<journal::Journal> journal = existingJournal()) {
            entries = journal->search(options.query);
        }
    } catch (const journal::JournalError& error) {
        err << "mivo-kangaroo history: " << error.what() << '\n';
        return 1;
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
    out.flush();
    return out ? 0 : 1;
}

int RunReprintCommand(int argc, char* argv[], std::ostream& err)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    ReprintOptions options;
    try {
        options = parseReprint(argumentsOf(argc, argv));
    } catch (const UsageError& error) {
        err << "mivo-kangaroo reprint: " << error.what() << '\n';
        return 2;
    }
    const interruption::Held held;
    try {
        const std::shared_ptr<journal::Journal> journal = existingJournal();
        const std::optional<journal::JournalEntry> entry = journal ? journal->find(options.id) : std::nullopt;
        if (!entry) {
            err << "mivo-kangaroo reprint: no journal entry " << options.id << '\n';
            return 1;
        }
        SystemPrinters printers(QDir::currentPath());
        const journalprint::Outcome outcome =
            journalprint::Reprint(PrinterAccess(), journalOfWorkingFolder(), *entry, options.printer, options.keepDate);
        if (!outcome.journalError.empty()) {
            err << "mivo-kangaroo reprint: the slip was printed but not recorded in the journal: "
                << outcome.journalError << '\n';
        }
    } catch (const interruption::Interrupted&) {
        err << "mivo-kangaroo reprint: " << kInterruptedBeforePrinting << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "mivo-kangaroo reprint: " << error.what() << '\n';
        return 1;
    }
    if (interruption::Asked()) {
        err << "mivo-kangaroo reprint: " << kInterruptedAfterPrinting << '\n';
    }
    return 0;
}

int RunResolveCommand(const std::vector<std::string>& arguments, std::ostream& err)
{
    bool number = false;
    const qlonglong id = arguments.empty() ? 0 : QString::fromStdString(arguments[0]).toLongLong(&number);
    if (arguments.size() != 2 || !number || id <= 0 || (arguments[1] != "printed" && arguments[1] != "not-printed")) {
        err << "usage: mivo-kangaroo history --resolve ID printed|not-printed\n";
        return 2;
    }
    try {
        const std::shared_ptr<journal::Journal> journal = existingJournal();
        if (!journal || !journal->resolve(id, arguments[1] == "printed")) {
            err << "mivo-kangaroo history: entry " << id << " is not of unknown outcome\n";
            return 1;
        }
    } catch (const journal::JournalError& error) {
        err << "mivo-kangaroo history: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
