#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <vector>

// The bash completion of the commands and their options, written from the command table at
// build time. Printer names come from the print server (`lpstat -e`) when it answers.
void WriteBashCompletion(const std::vector<const Command*>& commands, std::ostream& out);
