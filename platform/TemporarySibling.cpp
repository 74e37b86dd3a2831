#include "platform/TemporarySibling.h"

#include "platform/OpenedFolder.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kInfix = ".mivo-";
constexpr std::size_t kRandomLength = 6; // mkstemp's XXXXXX

fs::path FolderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

std::string Prefix(const fs::path& target)
{
    return "." + target.filename().string() + std::string(kInfix);
}

bool IsAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsOurName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + kRandomLength || name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), IsAlphanumeric);
}

} // namespace

TemporarySibling::TemporarySibling(const fs::path& target)
{
    m_path = (FolderOf(target) / (Prefix(target) + std::string(kRandomLength, 'X'))).string();
    m_descriptor = ::mkostemp(m_path.data(), O_CLOEXEC);
    if (m_descriptor >= 0 && ::flock(m_descriptor, LOCK_EX) != 0) {
        ::close(m_descriptor);
        ::unlink(m_path.c_str());
        m_descriptor = -1;
    }
}

TemporarySibling::~TemporarySibling()
{
    if (m_descriptor < 0) {
        return;
    }
    if (!m_renamed) {
        ::unlink(m_path.c_str());
    }
    ::close(m_descriptor);
}

bool TemporarySibling::write(std::string_view content)
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

bool TemporarySibling::setMode(unsigned mode)
{
    return ::fchmod(m_descriptor, static_cast<mode_t>(mode)) == 0;
}

bool TemporarySibling::flushAndRenameTo(const fs::path& target)
{
    m_renamed = ::fsync(m_descriptor) == 0 && ::rename(m_path.c_str(), target.c_str()) == 0;
    return m_renamed;
}

void TemporarySibling::RemoveLeftovers(const fs::path& target)
{
    const std::string prefix = Prefix(target);
    try {
        OpenedFolder::Open(FolderOf(target)).removeAbandoned([&prefix](const std::string& name) {
            return IsOurName(name, prefix);
        });
    } catch (const std::runtime_error&) {
        // A folder that cannot be listed has nothing to tidy; the save reports its own failure.
    }
}
