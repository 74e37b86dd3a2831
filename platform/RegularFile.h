#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

// A file that cannot be read. The message names the file's full path and says why, in UTF-8.
class FileReadError : public std::runtime_error
{
public:
    enum class Reason
    {
        Unreadable,
        NotRegular, // a folder, a FIFO, a device
        TooLarge,
    };
    FileReadError(const std::filesystem::path& file, Reason reason, std::uintmax_t limit = 0);
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// The full path of a file as messages name it.
std::string FullPath(const std::filesystem::path& file);

// The whole content of a regular file of at most `maxBytes`; nothing when it does not exist.
// The file is opened without waiting, so that a FIFO or a device under its name cannot hold
// the program up, and is refused unless fstat calls it a regular file; a file above the limit
// is refused before its content is read. Throws FileReadError.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

// The first `count` bytes of a regular file (fewer when it is shorter), opened the same way;
// nothing when it does not exist. Throws FileReadError.
std::optional<std::string> ReadRegularFileStart(const std::filesystem::path& file, std::size_t count);
