#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace postal {

// One entry of the national list, in UTF-8. zip is "ddd-dddd"; office is the business name of
// a business code and empty otherwise.
struct PostalEntry
{
    std::string zip;
    std::string prefecture;
    std::string city;
    std::string town;
    std::string street;
    std::string office;
};

// The national list of postal codes, read-only once loaded.
class PostalDirectory
{
public:
    PostalDirectory() = default;

    // The entries of a code given as seven digits, in list order; none when it is unknown.
    std::vector<PostalEntry> find(std::string_view sevenDigits) const;

    bool empty() const;

private:
    std::vector<PostalEntry> m_entries;
};

// The list the program uses for a working folder: its mivo_postal.dat when present and valid,
// else the built-in list. Loaded on first use and kept.
const PostalDirectory& directoryFor(const std::filesystem::path& workingFolder);

} // namespace postal
