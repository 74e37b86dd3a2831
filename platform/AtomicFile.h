#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A file that cannot be written. The message is the file's full path (native separators)
// followed by " に書き込めません", in UTF-8.
class FileWriteError : public std::runtime_error
{
public:
    explicit FileWriteError(const std::filesystem::path& file);
    // The message then goes on with ": " and the reason.
    FileWriteError(const std::filesystem::path& file, const std::string& reason);
};

namespace AtomicFile {

// Replaces the whole content of `file` with `content`, or creates it. The bytes go to a
// temporary file in the same folder, are flushed to disk and renamed over the old file, so a
// failure, a crash or a kill leaves either the old content or the new one. An existing file
// keeps its permissions; a read-only file is refused as the platform refuses it, and so is
// what SharedFolder::CheckName refuses (a link or another user's file in a shared folder,
// anything but a plain file), with the reason in the message. Temporary
// files that killed saves of the same file left behind are removed first.
// Throws FileWriteError and leaves the file untouched when anything fails.
void Write(const std::filesystem::path& file, std::string_view content);

// The whole content of `file`; nothing when it does not exist. Throws FileReadError (a
// std::runtime_error) when it exists but cannot be read or is not a plain file (a folder, a
// FIFO, a device), and UnsafeFileError (a std::runtime_error) for a link or another user's
// file in a shared folder.
std::optional<std::string> Read(const std::filesystem::path& file);

} // namespace AtomicFile
