#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The temporary file a save writes before renaming it over its target: hidden, in the
// target's folder, named ".<name>.mivo-XXXXXX". It holds an exclusive lock for as long as its
// descriptor is open, so a save in progress is never mistaken for one that was killed.
class TemporarySibling
{
public:
    explicit TemporarySibling(const std::filesystem::path& target);
    ~TemporarySibling(); // removes the file unless it was renamed over the target
    TemporarySibling(const TemporarySibling&) = delete;
    TemporarySibling& operator=(const TemporarySibling&) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    bool write(std::string_view content);
    bool setMode(unsigned mode);
    // Flushes the content to disk and renames the file over the target; the lock is held
    // until the name is taken over.
    bool flushAndRenameTo(const std::filesystem::path& target);

    // Removes what killed or crashed saves of `target` left behind: unlocked files of this
    // naming, owned by this user. Anything else in the folder is left alone.
    static void RemoveLeftovers(const std::filesystem::path& target);

private:
    std::string m_path;
    int m_descriptor = -1;
    bool m_renamed = false;
};
