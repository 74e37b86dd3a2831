#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `mivo-kangaroo history [--search TEXT] [--since DATE] [--json]`: the print journal of the
// working folder, newest first, as lines of text or as a JSON array whose slip fields carry
// the names `import` uses. Exit status 2 on bad usage, 1 when the journal cannot be read.
// `history --resolve ID printed|not-printed` settles an entry of unknown outcome (status
// "unknown": its job was cut off after the entry was written).
int RunHistoryCommand(int argc, char* argv[], std::ostream& out, std::ostream& err);

// `mivo-kangaroo history --resolve ID printed|not-printed` on its own: `arguments` are those
// after --resolve. Exit status 1 when the entry is not of unknown outcome, 2 on bad usage.
int RunResolveCommand(const std::vector<std::string>& arguments, std::ostream& err);

// `mivo-kangaroo reprint ID [--printer NAME] [--keep-date]`: prints a journal entry again,
// dated today unless --keep-date, on its own printer or on NAME, and records the new job.
// Exit status 1 with a message for an unknown ID or a failed job, 2 on bad usage. Interrupted
// (Ctrl+C), the job ends whole or not at all and the message says which.
int RunReprintCommand(int argc, char* argv[], std::ostream& err);
