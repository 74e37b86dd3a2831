#include "postal/CsvRecords.h"

#include <algorithm>

namespace postal {

namespace {

// Stops at more than `maxFields` fields: a line of junk would otherwise be held whole.
std::vector<std::string> splitLine(std::string_view line, std::size_t lineNumber, const CsvShape& shape)
{
    const std::size_t maxFields = *std::max_element(shape.columnCounts.begin(), shape.columnCounts.end());
    std::vector<std::string> fields(1);
    std::size_t pos = 0;
    bool fieldStart = true;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == ',') {
            if (fields.size() == maxFields) {
                throw RecordError(lineNumber, "項目の数が " + std::to_string(maxFields) + " を超えています（" +
                                                  shape.describe + " のはずです）");
            }
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

void checkShape(const std::vector<CsvRecord>& records, const CsvShape& shape)
{
    const CsvRecord& record = records.back();
    const std::size_t columns = record.fields.size();
    if (records.size() == 1) {
        if (std::find(shape.columnCounts.begin(), shape.columnCounts.end(), columns) == shape.columnCounts.end()) {
            throw RecordError(record.line,
                              "項目の数が " + std::to_string(columns) + " です（" + shape.describe + " のはずです）");
        }
    } else if (columns != records.front().fields.size()) {
        throw RecordError(record.line, "項目の数が " + std::to_string(columns) + " です（" +
                                           std::to_string(records.front().fields.size()) + " のはずです）");
    }
}

} // namespace

std::vector<CsvRecord> splitCsv(std::string_view bytes, const CsvShape& shape)
{
    std::vector<CsvRecord> records;
    std::size_t lineNumber = 0;
    while (!bytes.empty()) {
        if (++lineNumber > kMaxCsvLines) {
            throw RecordError(lineNumber, "行が多すぎます（" + std::to_string(kMaxCsvLines) + " 行まで）");
        }
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            records.push_back({lineNumber, splitLine(line, lineNumber, shape)});
            checkShape(records, shape);
        }
    }
    return records;
}

} // namespace postal
