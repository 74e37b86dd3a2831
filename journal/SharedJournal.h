#pragma once

#include "journal/Journal.h"

#include <filesystem>
#include <memory>

namespace journal {

// The one connection of this process to a journal file, shared by the windows and the jobs
// while any of them holds it, and closed when the last lets go. SQLite's locks on a file are
// the process's: closing any other descriptor of the file drops them all, and another process
// may then fold the log back under a writer. So the file is opened (and checked) only while
// no connection to it is open, and never twice at once.
//
// The working folder's mivo_journal.ini (see JournalChoice) may point it at a server instead of
// the file; the connection to a server is shared the same way.
//
// ReadOnly opens a missing file not at all (JournalError); ReadWrite creates it. A connection
// opened for reading is made ready for writing when a job asks for it. Use it on the thread
// that opened it.
std::shared_ptr<Journal> OpenShared(const std::filesystem::path& file,
                                    Journal::Access access = Journal::Access::ReadWrite);

// The file itself, whatever its folder chose: where entries wait while the server is away.
std::shared_ptr<Journal> OpenSharedFile(const std::filesystem::path& file,
                                        Journal::Access access = Journal::Access::ReadWrite);

// Whether the file's folder chose a server.
bool ServerChosen(const std::filesystem::path& file);

// Whether there may be entries to read: the file exists, or its folder chose a server.
bool MayHaveEntries(const std::filesystem::path& file);

} // namespace journal
