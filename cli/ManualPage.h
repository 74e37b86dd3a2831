#pragma once

#include "cli/Command.h"

#include <iosfwd>
#include <vector>

// The manual page mivo-kangaroo(1) in roff, written from the command table at build time so
// that it never disagrees with `--help`.
void WriteManualPage(const std::vector<const Command*>& commands, std::ostream& out);
