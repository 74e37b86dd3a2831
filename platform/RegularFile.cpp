#include "platform/RegularFile.h"

#include "platform/SharedFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string messageFor(const fs::path& file, FileReadError::Reason reason, std::uintmax_t limit)
{
    switch (reason) {
    case FileReadError::Reason::NotRegular:
        return FullPath(file) + " は通常のファイルではありません";
    case FileReadError::Reason::TooLarge:
        return FullPath(file) + " は大きすぎます（" + std::to_string(limit / (std::uintmax_t{1024} * 1024)) +
               " MB まで）";
    case FileReadError::Reason::Unreadable:
        break;
    }
    return FullPath(file) + " を読み込めません";
}

// Closes the descriptor on every way out.
class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor() { ::close(m_descriptor); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

} // namespace

FileReadError::FileReadError(const fs::path& file, Reason reason, std::uintmax_t limit)
    : std::runtime_error(messageFor(file, reason, limit)), m_reason(reason)
{}

std::string FullPath(const fs::path& file)
{
    std::error_code error;
    fs::path full = fs::absolute(file, error);
    if (error) {
        full = file;
    }
    return full.lexically_normal().make_preferred().string();
}

std::optional<std::string> ReadRegularFile(const fs::path& file, std::uintmax_t maxBytes)
{
    // Never follows a link or takes another user's file in a folder others can write to.
    const int opened = SharedFolder::OpenForReading(file);
    if (opened < 0) {
        return std::nullopt;
    }
    const Descriptor descriptor(opened);
    struct stat status
    {
    };
    if (::fstat(descriptor.get(), &status) != 0) {
        throw FileReadError(file, FileReadError::Reason::Unreadable);
    }
    if (!S_ISREG(status.st_mode)) {
        throw FileReadError(file, FileReadError::Reason::NotRegular);
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        throw FileReadError(file, FileReadError::Reason::TooLarge, maxBytes);
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(descriptor.get(), buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw FileReadError(file, FileReadError::Reason::Unreadable);
        }
        // A file that grows while it is read is held to the same limit.
        if (content.size() + static_cast<std::size_t>(got) > maxBytes) {
            throw FileReadError(file, FileReadError::Reason::TooLarge, maxBytes);
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::optional<std::string> ReadRegularFileStart(const fs::path& file, std::size_t count)
{
    const int opened = SharedFolder::OpenForReading(file);
    if (opened < 0) {
        return std::nullopt;
    }
    const Descriptor descriptor(opened);
    std::string content(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(descriptor.get(), content.data() + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw FileReadError(file, FileReadError::Reason::Unreadable);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    content.resize(done);
    return content;
}
