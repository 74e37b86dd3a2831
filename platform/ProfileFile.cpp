#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/ProfileSyntax.h"
#include "platform/SharedFolder.h"

#include <charconv>
#include <cstdint>

using profilesyntax::Line;
using profilesyntax::LineKind;
using profilesyntax::LineReader;
using profilesyntax::NamesEqual;
using profilesyntax::OneLine;
using profilesyntax::Trim;

namespace {

// Where a section and a key stand in the content. Only the first section of a name and the
// first entry of a key count, as the platform reads them.
struct Location
{
    bool sectionFound = false;
    Line entry;
    bool entryFound = false;
    std::size_t sectionContentEnd = 0; // end of the last non-blank line of the section
};

Location Locate(std::string_view content, std::string_view section, std::string_view key)
{
    const std::string_view wantedSection = Trim(section);
    const std::string_view wantedKey = Trim(key);
    Location location;
    LineReader reader(content);
    Line line;
    while (reader.next(line)) {
        if (line.kind == LineKind::Section) {
            if (location.sectionFound) {
                break;
            }
            if (NamesEqual(line.name, wantedSection)) {
                location.sectionFound = true;
                location.sectionContentEnd = line.next;
            }
            continue;
        }
        if (!location.sectionFound) {
            continue;
        }
        if (line.kind == LineKind::Entry && NamesEqual(line.name, wantedKey)) {
            location.entry = line;
            location.entryFound = true;
            return location;
        }
        if (profilesyntax::IsNonBlank(content, line)) {
            location.sectionContentEnd = line.next;
        }
    }
    return location;
}

// An unreadable file reads as a missing one, as the platform's reader has it.
std::optional<std::string> ReadIfReadable(const std::filesystem::path& file)
{
    try {
        return AtomicFile::Read(file);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

} // namespace

namespace ProfileFile {

std::string WithValue(std::string_view content, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string cleanValue = OneLine(value);
    const Location location = Locate(content, section, key);
    std::string result;
    result.reserve(content.size() + key.size() + cleanValue.size() + section.size() + 8);
    if (location.entryFound) {
        result.append(content.substr(0, location.entry.valueStart));
        result.append(cleanValue);
        result.append(content.substr(location.entry.end));
        return result;
    }
    const std::string entryLine = OneLine(Trim(key)) + "=" + cleanValue + "\r\n";
    if (location.sectionFound) {
        const std::size_t at = location.sectionContentEnd;
        result.append(content.substr(0, at));
        result.append(profilesyntax::LineEndBefore(result));
        result.append(entryLine);
        result.append(content.substr(at));
        return result;
    }
    result.append(content);
    result.append(profilesyntax::LineEndBefore(result));
    result.append("[" + OneLine(Trim(section)) + "]\r\n");
    result.append(entryLine);
    return result;
}

std::optional<int> ParseInteger(std::string_view text)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(first + 2, last, value, 16);
        if (error != std::errc() || end != last) {
            return std::nullopt;
        }
        return static_cast<int>(static_cast<std::int32_t>(value));
    }
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue)
{
    const std::optional<std::string> value = ReadValues(file, section, {&key, 1}).front();
    return value ? *value : std::string(defaultValue);
}

int ReadInteger(const std::filesystem::path& file, std::string_view section, std::string_view key, int defaultValue)
{
    const std::optional<std::string> text = ReadValues(file, section, {&key, 1}).front();
    const std::optional<int> value = text ? ParseInteger(*text) : std::nullopt;
    return value.value_or(defaultValue);
}

void WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value)
{
    const Entry entry{key, value};
    WriteValues(file, section, {&entry, 1});
}

std::vector<std::optional<std::string>> ReadValues(const std::filesystem::path& file, std::string_view section,
                                                   std::span<const std::string_view> keys)
{
    const std::optional<std::string> content = ReadIfReadable(file);
    return content ? FindValues(*content, section, keys) : std::vector<std::optional<std::string>>(keys.size());
}

void WriteValues(const std::filesystem::path& file, std::string_view section, std::span<const Entry> entries)
{
    std::optional<std::string> content;
    try {
        content = AtomicFile::Read(file);
    } catch (const UnsafeFileError& refused) {
        throw FileWriteError(file, refused.reason());
    } catch (const std::runtime_error&) {
        // Rewriting a file we cannot read would lose its other entries.
        throw FileWriteError(file);
    }
    AtomicFile::Write(file, WithValues(content.value_or(std::string()), section, entries));
}

} // namespace ProfileFile
