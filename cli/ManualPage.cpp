#include "cli/ManualPage.h"

#include <ostream>
#include <string>

namespace {

// Text as roff shows it: a backslash is \e, a hyphen-minus \-, and a line that starts with a
// control character is protected.
std::string roff(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (out.starts_with('.') || out.starts_with('\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

void writeCommand(const Command& command, std::ostream& out)
{
    out << ".SS " << roff(command.name) << "\n.B mivo\\-kangaroo " << roff(command.name) << '\n'
        << roff(command.synopsis) << "\n.PP\n"
        << roff(command.description) << '\n';
    for (const CommandOption& option : command.options) {
        if (*option.valueName != '\0') {
            out << ".TP\n.BI \"\\-\\-" << roff(option.name) << " \" " << roff(option.valueName) << '\n';
        } else {
            out << ".TP\n.B \\-\\-" << roff(option.name) << '\n';
        }
        out << roff(option.help) << '\n';
    }
}

} // namespace

void WriteManualPage(const std::vector<const Command*>& commands, std::ostream& out)
{
    out << ".TH MIVO\\-KANGAROO 1 \"\" \"mivo_Kangaroo " << MIVO_VERSION << "\" \"User Commands\"\n"
        << ".SH NAME\nmivo\\-kangaroo \\- print parcel slips on dot\\-matrix printers\n"
        << ".SH SYNOPSIS\n.B mivo\\-kangaroo\n[\\fB\\-\\-from\\-menu\\fR] [\\fIQt options\\fR]\n.br\n"
        << ".B mivo\\-kangaroo\n\\fICOMMAND\\fR [\\fIOPTION\\fR...]\n.br\n"
        << ".B mivo\\-kangaroo\n\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n"
        << ".SH DESCRIPTION\nWithout a command, mivo\\-kangaroo opens its window on the working folder, the current "
           "folder or, with \\fB\\-\\-from\\-menu\\fR, the user's own folder. The commands do the window's work "
           "without a window, for scripts; they read and write the files of the current folder.\n"
        << ".SH COMMANDS\n";
    for (const Command* command : commands) {
        writeCommand(*command, out);
    }
    out << ".SH OPTIONS\n"
        << ".TP\n.B \\-\\-help\nlist the commands; after a command, show its usage\n"
        << ".TP\n.B \\-\\-version\nshow the program's name and version\n"
        << ".TP\n.B \\-\\-from\\-menu\nopen the window on the user's own folder, as the desktop menu does\n"
        << ".SH EXIT STATUS\n"
        << ".TP\n.B 0\nthe command did its work\n"
        << ".TP\n.B 1\nthe work failed; the reason is on standard error\n"
        << ".TP\n.B 2\nbad usage: an unknown command or option, or a value the option does not take\n";
}
