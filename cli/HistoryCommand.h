#pragma once

#include "cli/Command.h"

// `mivo-kangaroo history [--search TEXT] [--since DATE] [--json]`: the print journal of the
// working folder, newest first, as lines of text or as a JSON array whose slip fields carry
// the names `import` uses. 1 when the journal cannot be read.
const Command& HistoryCommand();

// `mivo-kangaroo reprint ID [--printer NAME] [--keep-date]`: prints a journal entry again,
// dated today unless --keep-date, on its own printer or on NAME, and records the new job.
// 1 with a message for an unknown ID or a failed job.
const Command& ReprintCommand();
