#pragma once

#include <cstdint>
#include <filesystem>

// Entries of a folder that chose a server, kept in its own journal file while the server could
// not take them (Journal::keepForServer), and the copy of a file's entries to the server. The
// copy goes by each entry's uuid, so an entry sent twice is on the server once.
namespace journal {

struct UploadCount
{
    std::int64_t uploaded = 0; // new on the server, or completed there
    std::int64_t alreadyThere = 0;
};

// Sends the entries the file keeps for the chosen server, in the order they were kept; each
// leaves the outbox once the server committed it. Stops at the first the server does not take
// with its JournalError (ServerUnreachable while the server is away). With none kept, only asks
// a server that was away whether it is back. Nothing to do without a server chosen.
UploadCount SendKept(const std::filesystem::path& file);

// Copies every entry of the file to the chosen server once, oldest first, and empties the
// outbox. Throws JournalError when no server is chosen, the file holds no journal, or the
// server does not take them.
UploadCount UploadFile(const std::filesystem::path& file);

// The entries waiting for the chosen server; 0 without a server or a file.
std::int64_t PendingCount(const std::filesystem::path& file);

// Whether the chosen server did not answer and has not answered since.
bool ServerAway(const std::filesystem::path& file);

} // namespace journal
