#include "platform/ProfileSyntax.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

namespace profilesyntax {
namespace {

bool IsBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

unsigned char FoldAscii(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
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

} // namespace

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

bool LineReader::next(Line& line)
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

void LineReader::classify(Line& line) const
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

std::string_view LineEndBefore(std::string_view written)
{
    if (written.empty() || written.back() == '\n') {
        return "";
    }
    return written.back() == '\r' ? "\n" : "\r\n";
}

bool IsNonBlank(std::string_view content, const Line& line)
{
    return !Trim(content.substr(line.start, line.end - line.start)).empty();
}

std::string EntryValue(std::string_view content, const Line& entry)
{
    const std::string_view raw = content.substr(entry.valueStart, entry.end - entry.valueStart);
    return std::string(CutToLimit(Unquote(Trim(raw))));
}

} // namespace profilesyntax
