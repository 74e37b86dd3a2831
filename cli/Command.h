#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Anything a command does not take: the command line prints the reason and the command's
// usage on standard error and exits with kBadUsage.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The one exit rule of every command.
enum ExitStatus : int
{
    kDone = 0,
    kFailed = 1, // the work failed; the message is on standard error
    kBadUsage = 2,
};

struct CommandOption
{
    const char* name;           // the long name without its dashes
    const char* valueName = ""; // empty for a switch
    const char* help = "";
    const char* choices = ""; // the values it takes, space-separated, for completion; empty for any
};

class CommandArguments;

struct CommandContext
{
    const CommandArguments& arguments;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::filesystem::path workingFolder;
};

struct Command
{
    const char* name;
    const char* summary;     // one line for the command list
    const char* synopsis;    // what follows the name on the usage line
    const char* description; // a paragraph for `COMMAND --help` and the manual page
    std::vector<CommandOption> options;
    int (*run)(const CommandContext& context);
};

// The arguments after a command's name, read against its options: a switch is set or not, an
// option with a value gives its last value, everything else is an operand.
class CommandArguments
{
public:
    // Throws UsageError for an unknown option or an option without its value.
    CommandArguments(const Command& command, const std::vector<std::string>& arguments);

    bool helpRequested() const { return m_help; }
    bool isSet(const std::string& option) const;
    std::optional<std::string> value(const std::string& option) const;
    const std::vector<std::string>& operands() const { return m_operands; }

private:
    std::vector<std::string> m_switches;
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_operands;
    bool m_help = false;
};

// The whole number an option gives, from low to high; none when the option is absent. Throws
// UsageError for anything else ("--paper takes a number from 0 to 1").
std::optional<int> NumberOption(const CommandArguments& arguments, const std::string& option, int low, int high);

// "usage: mivo-kangaroo NAME SYNOPSIS"
std::string UsageLine(const Command& command);
void WriteCommandHelp(const Command& command, std::ostream& out);

// Runs the command under the exit rule: `--help` prints its usage (kDone), a UsageError the
// reason and the usage (kBadUsage), any other exception or an output that cannot be written
// its message (kFailed).
int RunCommand(const Command& command, const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
               std::ostream& err);
