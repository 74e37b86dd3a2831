#include "platform/AtomicFile.h"

#include "platform/RegularFile.h"
#include "platform/SharedFolder.h"
#include "platform/TemporarySibling.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileWriteError::FileWriteError(const fs::path& file) : std::runtime_error(FullPath(file) + " に書き込めません") {}

FileWriteError::FileWriteError(const fs::path& file, const std::string& reason)
    : std::runtime_error(FullPath(file) + " に書き込めません: " + reason)
{}

namespace AtomicFile {

void Write(const fs::path& file, std::string_view content)
{
    // Outside shared folders a symbolic link stays a link and its target gets the new content;
    // inside, the link itself would be the attack.
    fs::path target = file;
    std::error_code error;
    if (SharedFolder::IsShared(SharedFolder::FolderOf(file))) {
        try {
            SharedFolder::CheckName(target);
        } catch (const UnsafeFileError& refused) {
            throw FileWriteError(file, refused.reason());
        }
    } else if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error) {
            throw FileWriteError(file);
        }
    }

    mode_t mode = NewFileMode();
    struct stat status
    {
    };
    if (::stat(target.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode) || ::access(target.c_str(), W_OK) != 0) {
            throw FileWriteError(file);
        }
        mode = status.st_mode & 07777;
    }

    // The folder is not flushed after the rename: a crash then leaves the old content under
    // the name, which is as good an outcome as the new one, for half the cost of a save.
    TemporarySibling::RemoveLeftovers(target);
    TemporarySibling temporary(target);
    if (!temporary.isOpen() || !temporary.write(content) || !temporary.setMode(mode) ||
        !temporary.flushAndRenameTo(target)) {
        throw FileWriteError(file);
    }
}

std::optional<std::string> Read(const fs::path& file)
{
    return ReadRegularFile(file, std::numeric_limits<std::uintmax_t>::max());
}

} // namespace AtomicFile
