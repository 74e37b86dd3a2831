#include "platform/OpenedFolder.h"

#include "platform/SharedFolder.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

int OpenFolderDescriptor(const fs::path& folder, bool followLink)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int descriptor = ::open(folder.c_str(), flags);
    struct stat status
    {
    };
    // O_DIRECTORY makes a link fail with ENOTDIR rather than ELOOP.
    if (descriptor < 0 && !followLink && ::lstat(folder.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        throw UnsafeFileError(folder, "ほかのユーザーも書き込めるフォルダーの中のリンクです");
    }
    if (descriptor < 0) {
        throw std::runtime_error(fs::absolute(folder).lexically_normal().string() + " を開けません");
    }
    return descriptor;
}

std::string RandomLetters()
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string letters(6, ' ');
    for (char& letter : letters) {
        letter = kLetters[pick(generator)];
    }
    return letters;
}

} // namespace

OpenedFolder::OpenedFolder(fs::path path, int descriptor) : m_path(std::move(path)), m_descriptor(descriptor) {}

OpenedFolder OpenedFolder::Open(const fs::path& folder)
{
    return {folder, OpenFolderDescriptor(folder, true)};
}

OpenedFolder OpenedFolder::OpenOwn(const fs::path& folder)
{
    const bool shared = SharedFolder::IsShared(SharedFolder::FolderOf(folder));
    std::error_code error;
    if (!shared) {
        fs::create_directories(folder, error);
    } else if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        throw std::runtime_error(fs::absolute(folder).lexically_normal().string() + " を作れません");
    }
    OpenedFolder opened(folder, OpenFolderDescriptor(folder, !shared));
    struct stat status
    {
    };
    if (shared && (::fstat(opened.m_descriptor, &status) != 0 || status.st_uid != ::geteuid())) {
        throw UnsafeFileError(folder, "ほかのユーザーのフォルダーです（ほかのユーザーも書き込めるフォルダーの中）");
    }
    return opened;
}

OpenedFolder::OpenedFolder(OpenedFolder&& other) noexcept
    : m_path(std::move(other.m_path)), m_descriptor(std::exchange(other.m_descriptor, -1))
{}

OpenedFolder& OpenedFolder::operator=(OpenedFolder&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        m_path = std::move(other.m_path);
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

OpenedFolder::~OpenedFolder()
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

int OpenedFolder::createNew(const std::string& name) const
{
    const int descriptor =
        ::openat(m_descriptor, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return -1;
    }
    if (::flock(descriptor, LOCK_EX) != 0) {
        ::unlinkat(m_descriptor, name.c_str(), 0);
        ::close(descriptor);
        return -1;
    }
    // Between the creation and the lock, another process clearing abandoned files may have
    // taken the new file for one and removed it: then the name is given up for another.
    struct stat opened
    {
    };
    struct stat named
    {
    };
    if (::fstat(descriptor, &opened) != 0 || ::fstatat(m_descriptor, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
        ::close(descriptor);
        errno = EEXIST;
        return -1;
    }
    return descriptor;
}

int OpenedFolder::createExclusive(std::string_view prefix, std::string_view suffix, std::string& name) const
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = std::string(prefix) + RandomLetters() + std::string(suffix);
        const int descriptor = createNew(candidate);
        if (descriptor >= 0) {
            name = std::move(candidate);
            return descriptor;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

bool OpenedFolder::renameNoReplace(const std::string& from, const std::string& to) const
{
    if (::renameat2(m_descriptor, from.c_str(), m_descriptor, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without the flag: a hard link never replaces a name either.
    return ::linkat(m_descriptor, from.c_str(), m_descriptor, to.c_str(), 0) == 0 &&
           ::unlinkat(m_descriptor, from.c_str(), 0) == 0;
}

bool OpenedFolder::remove(const std::string& name) const
{
    return ::unlinkat(m_descriptor, name.c_str(), 0) == 0;
}

void OpenedFolder::removeAbandoned(const std::function<bool(const std::string&)>& isOurs) const
{
    const int listing = ::dup(m_descriptor);
    DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!entries) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    // The copy shares its reading position with the folder's own descriptor.
    ::rewinddir(entries);
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (!isOurs(name)) {
            continue;
        }
        const int file = ::openat(m_descriptor, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (file < 0) {
            continue;
        }
        struct stat status
        {
        };
        if (::fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            ::flock(file, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(m_descriptor, name.c_str(), 0);
        }
        ::close(file);
    }
    ::closedir(entries);
}
