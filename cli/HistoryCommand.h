#pragma once

#include "cli/Command.h"

// `mivo-kangaroo history [--search TEXT] [--since DATE] [--json]`: the print journal of the
// working folder, newest first, as lines of text or as a JSON array whose slip fields carry
// the names `import` uses. 1 when the journal cannot be read.
const Command& HistoryCommand();

// `mivo-kangaroo history --resolve ID printed|not-printed` on its own: `arguments` are those
// after --resolve. Exit status 1 when the entry is not of unknown outcome, 2 on bad usage.
int RunResolveCommand(const std::vector<std::string>& arguments, std::ostream& err);

// `mivo-kangaroo reprint ID [--printer NAME] [--keep-date]`: prints a journal entry again,
// dated today unless --keep-date, on its own printer or on NAME, and records the new job.
// 1 with a message for an unknown ID or a failed job.
const Command& ReprintCommand();
