// The batch forms of the profile functions: several keys of one section looked up or set in
// one pass, with exactly the results of the single-entry functions applied in turn.
#include "platform/ProfileFile.h"
#include "platform/ProfileSyntax.h"

#include <algorithm>

using profilesyntax::Line;
using profilesyntax::LineKind;
using profilesyntax::LineReader;
using profilesyntax::NamesEqual;
using profilesyntax::OneLine;
using profilesyntax::Trim;

namespace {

// The first section of a name and, within it, the first entry of each key.
struct SectionMap
{
    bool found = false;
    std::size_t contentEnd = 0;               // end of the last non-blank line of the section
    std::vector<std::optional<Line>> entries; // one per key
};

SectionMap MapSection(std::string_view content, std::string_view section, std::span<const std::string_view> keys)
{
    const std::string_view wantedSection = Trim(section);
    SectionMap map;
    map.entries.resize(keys.size());
    std::size_t missing = keys.size();
    LineReader reader(content);
    Line line;
    while (missing > 0 && reader.next(line)) {
        if (line.kind == LineKind::Section) {
            if (map.found) {
                break;
            }
            map.found = NamesEqual(line.name, wantedSection);
            map.contentEnd = line.next;
            continue;
        }
        if (!map.found) {
            continue;
        }
        for (std::size_t i = 0; line.kind == LineKind::Entry && i < keys.size(); ++i) {
            if (!map.entries[i] && NamesEqual(line.name, Trim(keys[i]))) {
                map.entries[i] = line;
                --missing;
            }
        }
        if (profilesyntax::IsNonBlank(content, line)) {
            map.contentEnd = line.next;
        }
    }
    return map;
}

// Whether a section header or key written by WithValue is found again under the same name.
// Only then can later entries be placed without re-reading what the earlier ones wrote.
bool SectionReadsBack(std::string_view section)
{
    const std::string header = "[" + OneLine(Trim(section)) + "]";
    LineReader reader(header);
    Line line;
    return reader.next(line) && line.kind == LineKind::Section && NamesEqual(line.name, Trim(section));
}

bool KeyReadsBack(std::string_view key)
{
    const std::string_view name = Trim(key);
    return !name.empty() && name.front() != '[' && name.front() != ';' &&
           name.find_first_of("=\r\n") == std::string_view::npos;
}

// The keys in the order they are first named, each with the last value given for it.
struct Assignments
{
    std::vector<std::string_view> keys;
    std::vector<std::string> values;
};

Assignments Collect(std::span<const ProfileFile::Entry> entries)
{
    Assignments result;
    for (const ProfileFile::Entry& entry : entries) {
        const auto same = [&entry](std::string_view key) { return NamesEqual(Trim(key), Trim(entry.key)); };
        const auto found = std::find_if(result.keys.begin(), result.keys.end(), same);
        if (found == result.keys.end()) {
            result.keys.push_back(entry.key);
            result.values.push_back(OneLine(entry.value));
        } else {
            result.values[static_cast<std::size_t>(found - result.keys.begin())] = OneLine(entry.value);
        }
    }
    return result;
}

} // namespace

namespace ProfileFile {

std::vector<std::optional<std::string>> FindValues(std::string_view content, std::string_view section,
                                                   std::span<const std::string_view> keys)
{
    const SectionMap map = MapSection(content, section, keys);
    std::vector<std::optional<std::string>> values(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (map.entries[i]) {
            values[i] = profilesyntax::EntryValue(content, *map.entries[i]);
        }
    }
    return values;
}

std::optional<std::string> FindValue(std::string_view content, std::string_view section, std::string_view key)
{
    return FindValues(content, section, {&key, 1}).front();
}

std::string WithValues(std::string_view content, std::string_view section, std::span<const Entry> entries)
{
    if (!SectionReadsBack(section) ||
        !std::all_of(entries.begin(), entries.end(), [](const Entry& entry) { return KeyReadsBack(entry.key); })) {
        std::string result(content);
        for (const Entry& entry : entries) {
            result = WithValue(result, section, entry.key, entry.value);
        }
        return result;
    }

    const Assignments assignments = Collect(entries);
    const SectionMap map = MapSection(content, section, assignments.keys);
    std::vector<std::size_t> replaced;
    std::string appended;
    for (std::size_t i = 0; i < assignments.keys.size(); ++i) {
        if (map.entries[i]) {
            replaced.push_back(i);
        } else {
            appended += OneLine(Trim(assignments.keys[i])) + "=" + assignments.values[i] + "\r\n";
        }
    }
    std::sort(replaced.begin(), replaced.end(),
              [&map](std::size_t a, std::size_t b) { return map.entries[a]->start < map.entries[b]->start; });

    std::string result;
    result.reserve(content.size() + appended.size() + section.size() + 8);
    std::size_t position = 0;
    for (const std::size_t i : replaced) {
        result.append(content.substr(position, map.entries[i]->valueStart - position));
        result.append(assignments.values[i]);
        position = map.entries[i]->end;
    }
    if (!appended.empty() && map.found) {
        result.append(content.substr(position, map.contentEnd - position));
        position = map.contentEnd;
        result.append(profilesyntax::LineEndBefore(result));
        result.append(appended);
    } else if (!appended.empty()) {
        result.append(content);
        position = content.size();
        result.append(profilesyntax::LineEndBefore(result));
        result.append("[" + OneLine(Trim(section)) + "]\r\n");
        result.append(appended);
    }
    result.append(content.substr(position));
    return result;
}

} // namespace ProfileFile
