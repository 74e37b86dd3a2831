#include "cli/CommandLine.h"

#include "cli/BashCompletion.h"
#include "cli/BatchCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/ImportCommand.h"
#include "cli/JournalUploadCommand.h"
#include "cli/ManifestCommand.h"
#include "cli/ManualPage.h"
#include "cli/PostalCommand.h"
#include "cli/PreviewCommandLine.h"
#include "cli/PrintCommandLine.h"
#include "cli/ShippedCommand.h"
#include "cli/TrackCommand.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace {

const Command* findCommand(const std::string& name)
{
    const auto found = std::ranges::find_if(Commands(), [&](const Command* c) { return name == c->name; });
    return found == Commands().end() ? nullptr : *found;
}

void writeCommandList(std::ostream& out)
{
    out << "usage: mivo-kangaroo [COMMAND [OPTION...] | --help | --version]\n\n"
           "Without a command the window opens. The commands:\n";
    for (const Command* command : Commands()) {
        std::string name = std::string("  ") + command->name;
        name.resize(18, ' ');
        out << name << command->summary << '\n';
    }
    out << "\n`mivo-kangaroo COMMAND --help` shows a command's usage.\n";
}

int unknownCommand(const std::string& word, std::ostream& err)
{
    err << "mivo-kangaroo: unknown command " << word << "\n\n";
    writeCommandList(err);
    return kBadUsage;
}

int help(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    if (words.size() < 2) {
        writeCommandList(out);
    } else if (const Command* command = findCommand(words[1])) {
        WriteCommandHelp(*command, out);
    } else {
        return unknownCommand(words[1], err);
    }
    out.flush();
    return out ? kDone : kFailed;
}

} // namespace

const std::vector<const Command*>& Commands()
{
    static const std::vector<const Command*> commands{
        &ImportCommand(),  &PostalCommand(),  &PostalUpdateCommand(), &PrintCommand(),
        &PreviewCommand(), &HistoryCommand(), &ReprintCommand(),      &BatchCommand(),
        &TrackCommand(),   &ShippedCommand(), &ManifestCommand(),     &JournalUploadCommand(),
    };
    return commands;
}

std::optional<int> RunCommandLine(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
                                  std::ostream& err)
{
    if (words.empty()) {
        return std::nullopt;
    }
    const std::string& first = words.front();
    if (first == "help" || first == "--help" || first == "-h") {
        return help(words, out, err);
    }
    if (first == "--version") {
        out << "mivo_Kangaroo " << MIVO_VERSION << '\n';
        return kDone;
    }
    // For the build: the manual page and the completion come from this table.
    if (first == "--manual-page") {
        WriteManualPage(Commands(), out);
        return kDone;
    }
    if (first == "--bash-completion") {
        WriteBashCompletion(Commands(), out);
        return kDone;
    }
    if (const Command* command = findCommand(first)) {
        return RunCommand(*command, std::vector<std::string>(words.begin() + 1, words.end()), in, out, err);
    }
    if (first.starts_with('-')) {
        return std::nullopt;
    }
    return unknownCommand(first, err);
}
