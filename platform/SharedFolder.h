#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

// A file of the working folder the program will not use. The message is the file's full path
// followed by " を使いません: " and the reason, in UTF-8.
class UnsafeFileError : public std::runtime_error
{
public:
    UnsafeFileError(const std::filesystem::path& file, const std::string& reason);

    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

// A folder other users can write to (a shared 1777 folder, a group folder) lets them put a
// link or a file of their own under any name the program uses, and so turn its writes and
// reads against the user. There the program follows no links and uses no other user's files;
// elsewhere the user's own links keep working.
namespace SharedFolder {

// True when a user other than this one (and the superuser) can add or replace names in the
// folder: it grants write to group or others, or it belongs to someone else.
bool IsShared(const std::filesystem::path& folder);

// The folder of `file` as the program opens it: "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// Checks an existing name before the program replaces it or opens it by name (a profile file,
// the journal before SQLite opens it). Nothing exists: fine. Throws UnsafeFileError when the
// name is not a plain file (a folder, a FIFO, a device; links followed outside shared folders)
// or, in a shared folder, is a link or another user's file. Never opens the file, so it is safe
// to call while another descriptor of the file holds locks.
void CheckName(const std::filesystem::path& file);

// CheckName for `file` and the files SQLite keeps beside a database of that name.
void CheckDatabase(const std::filesystem::path& file);

// Opens an existing file for reading without blocking (a FIFO cannot hold the program up);
// -1 when it does not exist. Throws UnsafeFileError for a link or another user's file in a
// shared folder, checked on the opened file so that no swap in between can fool it, and
// std::runtime_error ("<path> を読み込めません") when it is not a plain file or cannot be opened.
int OpenForReading(const std::filesystem::path& file);

} // namespace SharedFolder
