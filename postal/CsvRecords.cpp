#include "postal/CsvRecords.h"

namespace postal {

namespace {

std::vector<std::string> splitLine(std::string_view line, std::size_t lineNumber)
{
    std::vector<std::string> fields(1);
    std::size_t pos = 0;
    bool fieldStart = true;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == ',') {
            fields.emplace_back();
            fieldStart = true;
            continue;
        }
        if (c != '"') {
            fields.back().push_back(c);
            fieldStart = false;
            continue;
        }
        if (!fieldStart) {
            throw RecordError(lineNumber, "引用符 \" の位置が正しくありません");
        }
        for (;;) {
            if (pos >= line.size()) {
                throw RecordError(lineNumber, "引用符 \" が閉じていません");
            }
            const char quoted = line[pos++];
            if (quoted != '"') {
                fields.back().push_back(quoted);
            } else if (pos < line.size() && line[pos] == '"') {
                fields.back().push_back('"');
                ++pos;
            } else {
                break;
            }
        }
        if (pos < line.size() && line[pos] != ',') {
            throw RecordError(lineNumber, "引用符 \" の後に区切りのカンマがありません");
        }
        fieldStart = false;
    }
    return fields;
}

} // namespace

std::vector<CsvRecord> splitCsv(std::string_view bytes)
{
    std::vector<CsvRecord> records;
    std::size_t lineNumber = 0;
    while (!bytes.empty()) {
        ++lineNumber;
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            records.push_back({lineNumber, splitLine(line, lineNumber)});
        }
    }
    return records;
}

} // namespace postal
