#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Every command, in the order the help lists them.
const std::vector<const Command*>& Commands();

// Runs the command line before any window or Qt application exists: `--help` and `help`
// list the commands, `help COMMAND` shows its usage, `--version` names the program, a command
// runs under the exit rule, and a word that is neither exits kBadUsage with the list. Words
// with a leading dash that are not ours (Qt's own options, --from-menu) belong to the window:
// no value then.
std::optional<int> RunCommandLine(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
                                  std::ostream& err);
