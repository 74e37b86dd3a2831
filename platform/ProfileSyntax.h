#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line syntax of profile files, shared by the single-entry and the batch functions.
namespace profilesyntax {

// Without the blanks and tabs around it.
std::string_view Trim(std::string_view text);

// Names, both trimmed, compared ignoring ASCII case. Second bytes of double-byte characters
// can fall in the ASCII letter range, so they are compared exactly, never folded.
bool NamesEqual(std::string_view a, std::string_view b);

// A value cut to the longest a read returns, never inside a double-byte character.
std::string_view CutToLimit(std::string_view value);

// Without one pair of enclosing quotes (" or ').
std::string_view Unquote(std::string_view value);

// Line breaks written as blanks, so that a text cannot add lines of its own.
std::string OneLine(std::string_view text);

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

    bool next(Line& line);

private:
    void classify(Line& line) const;

    std::string_view m_content;
    std::size_t m_position = 0;
};

// What ends the last line of `written` before a line is added after it: nothing after a line
// feed or at the start, a line feed after a bare CR (the line then ends in CR LF, never in
// CR CR LF), CR LF otherwise.
std::string_view LineEndBefore(std::string_view written);

// True when the line holds something besides blanks.
bool IsNonBlank(std::string_view content, const Line& line);

// The value of an entry line as a read returns it.
std::string EntryValue(std::string_view content, const Line& entry);

} // namespace profilesyntax
