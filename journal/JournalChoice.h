#pragma once

#include <filesystem>
#include <string>

// Which journal a working folder writes to: its own SQLite file, or a database on a server that
// several packing PCs share. The choice lives in `mivo_journal.ini` beside the journal file
// (code page 932, CR LF):
//
//     [Journal]
//     Server=postgresql://packing@192.168.1.10:5432/mivo
//     Station=梱包2
//
// MIVO_JOURNAL_SERVER, when set, overrides Server for this process; set empty, it chooses the file.
namespace journal {

struct JournalChoice
{
    std::string server;  // a libpq connection URI; empty: the SQLite file
    std::string station; // UTF-8; empty: the host name
};

inline constexpr const char* kChoiceFileName = "mivo_journal.ini";
inline constexpr const char* kServerVariable = "MIVO_JOURNAL_SERVER";

std::filesystem::path ChoiceFile(const std::filesystem::path& folder);
// An unreadable or missing file chooses the SQLite file.
JournalChoice ReadChoice(const std::filesystem::path& folder);
// Stores the server (empty: back to the file), replacing the file atomically. Throws
// JournalError for an address that is no postgresql:// URI or that holds a password, and
// FileWriteError when the file cannot be written; the old file stays either way.
void WriteServer(const std::filesystem::path& folder, const std::string& server);

} // namespace journal
