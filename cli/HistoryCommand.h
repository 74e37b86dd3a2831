#pragma once

#include <iosfwd>

// `mivo-kangaroo history [--search TEXT] [--since DATE] [--json]`: the print journal of the
// working folder, newest first, as lines of text or as a JSON array whose slip fields carry
// the names `import` uses. Exit status 2 on bad usage, 1 when the journal cannot be read.
int RunHistoryCommand(int argc, char* argv[], std::ostream& out, std::ostream& err);

// `mivo-kangaroo reprint ID [--printer NAME] [--keep-date]`: prints a journal entry again,
// dated today unless --keep-date, on its own printer or on NAME, and records the new job.
// Exit status 1 with a message for an unknown ID or a failed job, 2 on bad usage.
int RunReprintCommand(int argc, char* argv[], std::ostream& err);
