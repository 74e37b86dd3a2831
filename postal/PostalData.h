#pragma once

#include "postal/PostalDirectory.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The stored form of a postal list, shared by the built-in list and mivo_postal.dat: a header,
// a character table, a (prefecture, city) table, the entries as fixed records sorted by code,
// and a pool of deduplicated strings. Each character is an index into the character table,
// the commonest ones in one byte, so the whole national list stays compact and is used in
// place without unpacking.
namespace postal {

class DataFormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The stored form of `entries` (zip "ddd-dddd" or seven digits, UTF-8 texts). Entries of one
// code keep their order. Throws DataFormatError for a bad code, invalid UTF-8 or a list that
// exceeds the format's limits.
std::string encodeDirectory(const std::vector<PostalEntry>& entries);

// A checked view of stored bytes; the bytes must outlive it.
class DirectoryData
{
public:
    DirectoryData() = default;
    // Throws DataFormatError when the bytes are not a complete, consistent list.
    explicit DirectoryData(std::string_view bytes);

    std::vector<PostalEntry> find(std::uint32_t code) const;
    std::size_t entryCount() const { return m_entryCount; }

private:
    PostalEntry entryAt(std::size_t index) const;
    std::uint32_t codeAt(std::size_t index) const;
    std::string text(std::uint32_t poolOffset) const;

    std::string_view m_chars;
    std::string_view m_cities;
    std::string_view m_entries;
    std::string_view m_pool;
    std::size_t m_charCount = 0;
    std::size_t m_entryCount = 0;
};

} // namespace postal
