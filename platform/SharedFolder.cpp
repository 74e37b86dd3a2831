#include "platform/SharedFolder.h"

#include "platform/RegularFile.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kNotPlain = "通常のファイルではありません";
constexpr const char* kLink = "ほかのユーザーも書き込めるフォルダーの中のリンクです";
constexpr const char* kOthers = "ほかのユーザーのファイルです（ほかのユーザーも書き込めるフォルダーの中）";

// The checks both CheckName and OpenForReading make on what stands under the name.
void CheckStatus(const fs::path& file, const struct stat& status, bool shared)
{
    if (shared && S_ISLNK(status.st_mode)) {
        throw UnsafeFileError(file, kLink);
    }
    if (!S_ISREG(status.st_mode)) {
        throw UnsafeFileError(file, kNotPlain);
    }
    if (shared && status.st_uid != ::geteuid()) {
        throw UnsafeFileError(file, kOthers);
    }
}

} // namespace

UnsafeFileError::UnsafeFileError(const fs::path& file, const std::string& reason)
    : std::runtime_error(FullPath(file) + " を使いません: " + reason), m_reason(reason)
{}

namespace SharedFolder {

bool IsShared(const fs::path& folder)
{
    struct stat status
    {
    };
    if (::stat(folder.empty() ? "." : folder.c_str(), &status) != 0) {
        return false;
    }
    const uid_t owner = status.st_uid;
    return (status.st_mode & (S_IWGRP | S_IWOTH)) != 0 || (owner != ::geteuid() && owner != 0);
}

fs::path FolderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

void CheckName(const fs::path& file)
{
    const bool shared = IsShared(FolderOf(file));
    struct stat status
    {
    };
    if (::lstat(file.c_str(), &status) != 0) {
        return;
    }
    // Outside shared folders a link stands for its target, as the user made it.
    if (!shared && S_ISLNK(status.st_mode) && ::stat(file.c_str(), &status) != 0) {
        return;
    }
    CheckStatus(file, status, shared);
}

void CheckDatabase(const fs::path& file)
{
    CheckName(file);
    for (const char* suffix : std::array{"-wal", "-shm", "-journal"}) {
        CheckName(fs::path(file.string() + suffix));
    }
}

int OpenForReading(const fs::path& file)
{
    const bool shared = IsShared(FolderOf(file));
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (shared ? O_NOFOLLOW : 0);
    const int descriptor = ::open(file.c_str(), flags);
    if (descriptor < 0) {
        if (errno == ELOOP && shared) {
            throw UnsafeFileError(file, kLink);
        }
        if (errno == ENOENT || errno == ENOTDIR) {
            return -1;
        }
        throw std::runtime_error(FullPath(file) + " を読み込めません");
    }
    struct stat status
    {
    };
    try {
        if (::fstat(descriptor, &status) != 0) {
            throw FileReadError(file, FileReadError::Reason::Unreadable);
        }
        if (!S_ISREG(status.st_mode)) {
            throw FileReadError(file, FileReadError::Reason::NotRegular);
        }
        CheckStatus(file, status, shared);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    return descriptor;
}

} // namespace SharedFolder
