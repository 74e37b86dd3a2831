#include "cli/BashCompletion.h"

#include <ostream>
#include <string>

namespace {

std::string optionWords(const Command& command)
{
    std::string words;
    for (const CommandOption& option : command.options) {
        words += std::string("--") + option.name + ' ';
    }
    return words + "--help";
}

// The values an option takes, as a bash word list; empty when any value goes and the shell's
// own completion (file names) is the best guess.
std::string valueWords(const CommandOption& option)
{
    if (*option.choices != '\0') {
        return std::string("\"") + option.choices + '"';
    }
    if (std::string(option.name) == "printer") {
        return "\"$(lpstat -e 2>/dev/null)\"";
    }
    return {};
}

} // namespace

void WriteBashCompletion(const std::vector<const Command*>& commands, std::ostream& out)
{
    std::string names;
    for (const Command* command : commands) {
        names += std::string(command->name) + ' ';
    }
    out << "# bash completion for mivo-kangaroo, written from its command table -*- shell-script -*-\n\n"
        << "_mivo_kangaroo()\n{\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        << "    COMPREPLY=()\n"
        << "    if ((COMP_CWORD == 1)); then\n"
        << "        COMPREPLY=($(compgen -W \"" << names << "help --help --version\" -- \"$cur\"))\n"
        << "        return\n    fi\n"
        << "    case ${COMP_WORDS[1]}:$prev in\n";
    for (const Command* command : commands) {
        for (const CommandOption& option : command->options) {
            if (*option.valueName == '\0') {
                continue;
            }
            const std::string values = valueWords(option);
            out << "    " << command->name << ":--" << option.name << ")\n        "
                << (values.empty() ? "" : "COMPREPLY=($(compgen -W " + values + " -- \"$cur\"))\n        ")
                << "return\n        ;;\n";
        }
    }
    out << "    esac\n    case ${COMP_WORDS[1]} in\n";
    for (const Command* command : commands) {
        out << "    " << command->name << ")\n        [[ $cur == -* ]] && COMPREPLY=($(compgen -W \""
            << optionWords(*command) << "\" -- \"$cur\"))\n        ;;\n";
    }
    out << "    help)\n        ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W \"" << names << "\" -- \"$cur\"))\n"
        << "        ;;\n    esac\n}\n"
        << "complete -o default -F _mivo_kangaroo mivo-kangaroo\n";
}
