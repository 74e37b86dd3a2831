#pragma once

#include <string>

namespace journal {

// What a server says when asked before it is chosen.
struct ServerAnswer
{
    std::string serverVersion; // PostgreSQL's own version line
    int journalVersion = 0;    // 0: no journal there yet; the first print creates it
};

// Connects to the server of the URI and reads without writing. Throws JournalError naming the
// server when the address is unusable, the server does not let us in, or the database holds
// tables that are not a print journal.
ServerAnswer ProbeServer(const std::string& uri);

} // namespace journal
