#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// A folder opened once: files are created, renamed and removed relative to its descriptor, so
// a link put in place of the folder or of a name in it afterwards changes nothing.
class OpenedFolder
{
public:
    // Opens `folder`, following links, as any folder the user names. Throws std::runtime_error.
    static OpenedFolder Open(const std::filesystem::path& folder);
    // Opens `folder`, creating it when missing, as a folder the program keeps its own files
    // in. Where its parent is shared (SharedFolder::IsShared) it must be a real folder of this
    // user, never a link; elsewhere the user's link to a folder keeps working. Throws
    // UnsafeFileError for a folder refused, std::runtime_error when it cannot be opened.
    static OpenedFolder OpenOwn(const std::filesystem::path& folder);

    OpenedFolder(OpenedFolder&& other) noexcept;
    OpenedFolder& operator=(OpenedFolder&& other) noexcept;
    OpenedFolder(const OpenedFolder&) = delete;
    OpenedFolder& operator=(const OpenedFolder&) = delete;
    ~OpenedFolder();

    const std::filesystem::path& path() const { return m_path; }

    // Creates the file `name`, never over an existing name and never through a link, opened
    // for reading and writing and locked (flock) for as long as the descriptor is open; -1 with
    // errno set when it cannot (EEXIST: the name is taken, by a link too).
    int createNew(const std::string& name) const;
    // createNew for `prefix` + six random letters + `suffix`, trying other letters while the
    // name is taken. Sets `name`.
    int createExclusive(std::string_view prefix, std::string_view suffix, std::string& name) const;
    // Renames `from` to `to` in this folder unless `to` exists.
    bool renameNoReplace(const std::string& from, const std::string& to) const;
    bool remove(const std::string& name) const;

    // Removes what killed or crashed runs left behind: the plain files of this user whose
    // names `isOurs` accepts and that no live process holds locked. Links, folders and other
    // users' files are left alone.
    void removeAbandoned(const std::function<bool(const std::string&)>& isOurs) const;

private:
    OpenedFolder(std::filesystem::path path, int descriptor);

    std::filesystem::path m_path;
    int m_descriptor = -1;
};
