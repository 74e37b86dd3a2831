#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace postal {

class DirectoryData;

// One entry of the national list, in UTF-8. zip is "ddd-dddd"; street and office are those of
// a business code (its block and number, its name) and empty otherwise.
struct PostalEntry
{
    std::string zip;
    std::string prefecture;
    std::string city;
    std::string town;
    std::string street;
    std::string office;

    bool operator==(const PostalEntry&) const = default;
};

// A list of postal codes, read-only once loaded.
class PostalDirectory
{
public:
    // An empty list.
    PostalDirectory();
    // The list stored in `bytes` (see PostalData.h); throws DataFormatError when they are not one.
    explicit PostalDirectory(std::string bytes);
    ~PostalDirectory();
    PostalDirectory(PostalDirectory&&) noexcept;
    PostalDirectory& operator=(PostalDirectory&&) noexcept;

    // The list compiled into the program.
    static PostalDirectory builtIn();
    // The list in a mivo_postal.dat file; throws FileReadError when it cannot be read, is not a
    // regular file or is larger than kMaxDirectoryFileBytes (never read whole then), and
    // DataFormatError when it is not a valid list.
    static PostalDirectory fromFile(const std::filesystem::path& file);

    // The entries of a code given as seven digits, in list order; none when it is unknown.
    std::vector<PostalEntry> find(std::string_view sevenDigits) const;

    bool empty() const;
    std::size_t entryCount() const;

private:
    struct BuiltInTag
    {
    };
    explicit PostalDirectory(BuiltInTag);

    std::string m_bytes; // empty for the built-in list, which is used in place
    std::unique_ptr<DirectoryData> m_data;
};

// The name of the list that `mivo-kangaroo postal-update` writes into the working folder.
inline constexpr std::string_view kDirectoryFileName = "mivo_postal.dat";

// Far above the whole national list (a few megabytes): a larger file is no list.
inline constexpr std::uintmax_t kMaxDirectoryFileBytes = std::uintmax_t{64} * 1024 * 1024;

// The list the program uses for a working folder: its mivo_postal.dat when present and valid,
// else the built-in list. Loaded on first use and kept; a mivo_postal.dat that changes
// afterwards (size or time) is loaded again. Safe to call from several threads.
const PostalDirectory& directoryFor(const std::filesystem::path& workingFolder);

// Why directoryFor gives the built-in list although the working folder holds a mivo_postal.dat
// (damaged, too large, not a file), as a sentence for the user; nothing when it gives that
// file's list or the folder holds none.
std::optional<std::string> builtInFallbackReason(const std::filesystem::path& workingFolder);

} // namespace postal
