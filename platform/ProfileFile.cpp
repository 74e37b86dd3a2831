#include "ProfileFile.h"

#include "AtomicFile.h"
#include "Cp932.h"

#include <charconv>
#include <cstdint>

namespace {

bool IsBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

unsigned char FoldAscii(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Both names already trimmed. Second bytes of double-byte characters can fall in the ASCII
// letter range, so they are compared exactly, never folded.
bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (cp932::IsLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (FoldAscii(x) != FoldAscii(y)) {
            return false;
        }
    }
    return true;
}

// Position of `wanted` as a character of its own (not the second byte of a double-byte one).
std::size_t FindSingleByte(std::string_view text, char wanted)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == wanted) {
            return i;
        }
        if (cp932::IsLeadByte(static_cast<unsigned char>(text[i]))) {
            ++i;
        }
    }
    return std::string_view::npos;
}

std::string_view CutToLimit(std::string_view value)
{
    if (value.size() <= ProfileFile::kMaxValueBytes) {
        return value;
    }
    std::size_t end = 0;
    while (end < ProfileFile::kMaxValueBytes) {
        const std::size_t width = cp932::IsLeadByte(static_cast<unsigned char>(value[end])) ? 2 : 1;
        if (end + width > ProfileFile::kMaxValueBytes) {
            break;
        }
        end += width;
    }
    return value.substr(0, end);
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& byte : line) {
        if (byte == '\r' || byte == '\n') {
            byte = ' ';
        }
    }
    return line;
}

enum class LineKind
{
    Other,
    Section,
    Entry
};

struct Line
{
    std::size_t start = 0; // first byte
    std::size_t end = 0;   // end of the text, before CR LF or LF
    std::size_t next = 0;  // first byte of the following line
    LineKind kind = LineKind::Other;
    std::string_view name;      // section or key name, trimmed
    std::size_t valueStart = 0; // first byte after "=" of an entry
};

// Walks the content line by line. Lines that are neither a section header nor an entry
// (blank lines, comments, text without "=") are passed over and kept as they stand.
class LineReader
{
public:
    explicit LineReader(std::string_view content) : m_content(content) {}

    bool next(Line& line)
    {
        if (m_position >= m_content.size()) {
            return false;
        }
        line = Line{};
        line.start = m_position;
        const std::size_t lineFeed = m_content.find('\n', m_position);
        line.next = lineFeed == std::string_view::npos ? m_content.size() : lineFeed + 1;
        line.end = lineFeed == std::string_view::npos ? m_content.size() : lineFeed;
        if (line.end > line.start && m_content[line.end - 1] == '\r') {
            --line.end;
        }
        m_position = line.next;
        classify(line);
        return true;
    }

private:
    void classify(Line& line) const
    {
        const std::string_view text = m_content.substr(line.start, line.end - line.start);
        const std::string_view trimmed = Trim(text);
        if (trimmed.empty() || trimmed.front() == ';') {
            return;
        }
        if (trimmed.front() == '[') {
            const std::size_t close = FindSingleByte(trimmed.substr(1), ']');
            if (close != std::string_view::npos) {
                line.kind = LineKind::Section;
                line.name = Trim(trimmed.substr(1, close));
                return;
            }
        }
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos) {
            line.kind = LineKind::Entry;
            line.name = Trim(text.substr(0, equals));
            line.valueStart = line.start + equals + 1;
        }
    }

    std::string_view m_content;
    std::size_t m_position = 0;
};

// Where a section and a key stand in the content. Only the first section of a name and the
// first entry of a key count, as the platform reads them.
struct Location
{
    bool sectionFound = false;
    Line entry;
    bool entryFound = false;
    std::size_t sectionContentEnd = 0; // end of the last non-blank line of the section
    bool sectionContentTerminated = true;
};

bool EndsWithLineFeed(std::string_view content, const Line& line)
{
    return line.next > line.start && content[line.next - 1] == '\n';
}

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
                location.sectionContentTerminated = EndsWithLineFeed(content, line);
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
        if (!Trim(content.substr(line.start, line.end - line.start)).empty()) {
            location.sectionContentEnd = line.next;
            location.sectionContentTerminated = EndsWithLineFeed(content, line);
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

std::optional<std::string> FindValue(std::string_view content, std::string_view section, std::string_view key)
{
    const Location location = Locate(content, section, key);
    if (!location.entryFound) {
        return std::nullopt;
    }
    const Line& entry = location.entry;
    const std::string_view raw = content.substr(entry.valueStart, entry.end - entry.valueStart);
    return std::string(CutToLimit(Unquote(Trim(raw))));
}

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
        if (!location.sectionContentTerminated) {
            result.append("\r\n");
        }
        result.append(entryLine);
        result.append(content.substr(at));
        return result;
    }
    result.append(content);
    if (!result.empty() && result.back() != '\n') {
        result.append("\r\n");
    }
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
    const std::optional<std::string> content = ReadIfReadable(file);
    const std::optional<std::string> value = content ? FindValue(*content, section, key) : std::nullopt;
    return value ? *value : std::string(defaultValue);
}

int ReadInteger(const std::filesystem::path& file, std::string_view section, std::string_view key, int defaultValue)
{
    const std::optional<std::string> content = ReadIfReadable(file);
    const std::optional<std::string> text = content ? FindValue(*content, section, key) : std::nullopt;
    const std::optional<int> value = text ? ParseInteger(*text) : std::nullopt;
    return value.value_or(defaultValue);
}

void WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value)
{
    std::optional<std::string> content;
    try {
        content = AtomicFile::Read(file);
    } catch (const std::runtime_error&) {
        // Rewriting a file we cannot read would lose its other entries.
        throw FileWriteError(file);
    }
    AtomicFile::Write(file, WithValue(content.value_or(std::string()), section, key, value));
}

} // namespace ProfileFile
