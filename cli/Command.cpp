#include "cli/Command.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <ostream>

namespace {

QString qtText(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string localText(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

std::string spelledOption(const QString& name)
{
    return (name.size() == 1 ? "-" : "--") + localText(name);
}

// The paragraph broken into lines of at most 78 columns at spaces, as a terminal shows help.
std::string wrapped(const std::string& paragraph)
{
    std::string out;
    std::size_t lineStart = 0;
    std::size_t word = 0;
    while (word < paragraph.size()) {
        const std::size_t end = std::min(paragraph.find(' ', word), paragraph.size());
        if (end - lineStart > 78 && word > lineStart) {
            out.back() = '\n';
            lineStart = word;
        }
        out.append(paragraph, word, end - word).push_back(' ');
        word = end + 1;
    }
    if (!out.empty()) {
        out.pop_back();
    }
    return out;
}

} // namespace

CommandArguments::CommandArguments(const Command& command, const std::vector<std::string>& arguments)
{
    QCommandLineParser parser;
    // `-x` is a short option, never a row of them, so that a typo is named as typed.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const CommandOption& option : command.options) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(option.name), QString(), QString::fromLatin1(option.valueName)));
    }
    QStringList words{QString::fromLatin1(command.name)};
    for (const std::string& argument : arguments) {
        words << qtText(argument);
    }
    const bool parsed = parser.parse(words);
    m_help = parser.isSet(QStringLiteral("help"));
    if (!parsed && !m_help) {
        const QStringList unknown = parser.unknownOptionNames();
        throw UsageError(unknown.isEmpty() ? localText(parser.errorText())
                                           : "unknown option " + spelledOption(unknown.front()));
    }
    for (const CommandOption& option : command.options) {
        const QString name = QString::fromLatin1(option.name);
        if (!parser.isSet(name)) {
            continue;
        }
        if (*option.valueName == '\0') {
            m_switches.emplace_back(option.name);
        } else {
            m_values.emplace_back(option.name, localText(parser.value(name)));
        }
    }
    for (const QString& operand : parser.positionalArguments()) {
        m_operands.push_back(localText(operand));
    }
}

bool CommandArguments::isSet(const std::string& option) const
{
    return std::ranges::find(m_switches, option) != m_switches.end() || value(option).has_value();
}

std::optional<std::string> CommandArguments::value(const std::string& option) const
{
    const auto found = std::ranges::find(m_values, option, &std::pair<std::string, std::string>::first);
    return found == m_values.end() ? std::nullopt : std::optional(found->second);
}

std::optional<int> NumberOption(const CommandArguments& arguments, const std::string& option, int low, int high)
{
    const std::optional<std::string> text = arguments.value(option);
    if (!text) {
        return std::nullopt;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (error != std::errc() || end != text->data() + text->size() || number < low || number > high) {
        throw UsageError("--" + option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return number;
}

std::string UsageLine(const Command& command)
{
    return std::string("usage: mivo-kangaroo ") + command.name + (*command.synopsis ? " " : "") + command.synopsis;
}

void WriteCommandHelp(const Command& command, std::ostream& out)
{
    out << UsageLine(command) << "\n\n" << wrapped(command.description) << "\n\noptions:\n";
    for (const CommandOption& option : command.options) {
        std::string left = std::string("  --") + option.name + (*option.valueName ? " " : "") + option.valueName;
        left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
        out << left << option.help << '\n';
    }
    out << std::string("  -h, --help").append(12, ' ') << "show this help\n";
}

int RunCommand(const Command& command, const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
               std::ostream& err)
{
    const std::string prefix = std::string("mivo-kangaroo ") + command.name + ": ";
    try {
        const CommandArguments parsed(command, arguments);
        if (parsed.helpRequested()) {
            WriteCommandHelp(command, out);
            out.flush();
            return out ? kDone : kFailed;
        }
        const int status = command.run({parsed, in, out, err, std::filesystem::current_path()});
        // Output that never arrived is a failed command, whatever it printed.
        out.flush();
        if (!out) {
            err << prefix << "cannot write standard output\n";
            return kFailed;
        }
        return status;
    } catch (const UsageError& error) {
        err << prefix << error.what() << '\n' << UsageLine(command) << '\n';
        return kBadUsage;
    } catch (const std::exception& error) {
        err << prefix << error.what() << '\n';
        return kFailed;
    }
}
