#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string FullPath(const fs::path& file)
{
    std::error_code error;
    fs::path full = fs::absolute(file, error);
    if (error) {
        full = file;
    }
    return full.lexically_normal().make_preferred().string();
}

// Closes the descriptor and removes the temporary file unless the rename took it over.
class TemporaryFile
{
public:
    explicit TemporaryFile(const fs::path& target)
    {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        m_path = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
        m_descriptor = mkstemp(m_path.data());
    }
    ~TemporaryFile()
    {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        if (!m_renamed) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }

    bool write(std::string_view content)
    {
        while (!content.empty()) {
            const ssize_t written = ::write(m_descriptor, content.data(), content.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            content.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool setMode(mode_t mode) { return ::fchmod(m_descriptor, mode) == 0; }

    bool flushAndClose()
    {
        const bool flushed = ::fsync(m_descriptor) == 0;
        const bool closed = ::close(m_descriptor) == 0;
        m_descriptor = -1;
        return flushed && closed;
    }

    bool renameTo(const fs::path& target)
    {
        m_renamed = ::rename(m_path.c_str(), target.c_str()) == 0;
        return m_renamed;
    }

private:
    std::string m_path;
    int m_descriptor = -1;
    bool m_renamed = false;
};

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileWriteError::FileWriteError(const fs::path& file) : std::runtime_error(FullPath(file) + " に書き込めません") {}

namespace AtomicFile {

void Write(const fs::path& file, std::string_view content)
{
    // A symbolic link stays a link; its target gets the new content.
    fs::path target = file;
    std::error_code error;
    if (fs::is_symlink(target, error)) {
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
    TemporaryFile temporary(target);
    if (!temporary.isOpen() || !temporary.write(content) || !temporary.setMode(mode) || !temporary.flushAndClose() ||
        !temporary.renameTo(target)) {
        throw FileWriteError(file);
    }
}

std::optional<std::string> Read(const fs::path& file)
{
    std::FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::nullopt;
        }
        throw std::runtime_error(FullPath(file) + " を読み込めません");
    }
    std::string content;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        content.append(buffer, got);
    }
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (failed) {
        throw std::runtime_error(FullPath(file) + " を読み込めません");
    }
    return content;
}

} // namespace AtomicFile
