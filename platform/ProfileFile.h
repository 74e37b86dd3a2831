#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Profile (INI) files as the platform's private profile functions read and write them.
// Sections, keys and values are code page 932 byte strings; files end their lines in CR LF
// (LF alone is read too). Section and key names are compared ignoring ASCII case and the
// blanks around them. Each call opens, reads or writes, and closes the file.
namespace ProfileFile {

// The longest value a read returns; longer values are cut.
inline constexpr std::size_t kMaxValueBytes = 2047;

// The value of `key` in `section`, without the blanks around it and without one pair of
// enclosing quotes (" or '); `defaultValue` when the file, section or key is missing or the
// file cannot be read.
std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue);

// The value read as an integer: hexadecimal after "0x" or "0X", decimal otherwise;
// `defaultValue` when missing or not a whole number in range.
int ReadInteger(const std::filesystem::path& file, std::string_view section, std::string_view key, int defaultValue);

// Sets `key` in `section` to `value`: an existing entry is replaced where it stands, a new
// key goes to the end of its section, a new section to the end of the file, and a missing
// file is created. Every other byte of the file is kept. A line break in the value is
// written as a blank, so that a value can never add entries of its own.
// The file is replaced atomically; throws FileWriteError (file untouched) on failure.
void WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

// One entry to set.
struct Entry
{
    std::string_view key;
    std::string_view value;
};

// Several keys of one section from one read of the file: for each key what ReadString
// would find, nothing where it would give its default.
std::vector<std::optional<std::string>> ReadValues(const std::filesystem::path& file, std::string_view section,
                                                   std::span<const std::string_view> keys);

// Sets the entries in their order by the rules of WriteString, with one read of the file and
// one atomic replacement: a failure or a kill leaves every old entry as it was.
void WriteValues(const std::filesystem::path& file, std::string_view section, std::span<const Entry> entries);

// The same rules over a file's content, for callers that hold the bytes already.
std::optional<std::string> FindValue(std::string_view content, std::string_view section, std::string_view key);
std::string WithValue(std::string_view content, std::string_view section, std::string_view key, std::string_view value);
std::vector<std::optional<std::string>> FindValues(std::string_view content, std::string_view section,
                                                   std::span<const std::string_view> keys);
// What WithValue applied for each entry in turn gives, in one pass over the content.
std::string WithValues(std::string_view content, std::string_view section, std::span<const Entry> entries);
std::optional<int> ParseInteger(std::string_view text);

} // namespace ProfileFile
