#include "postal/JapanPostFile.h"

#include "platform/Cp932.h"
#include "platform/RegularFile.h"
#include "platform/Utf8.h"
#include "postal/CsvRecords.h"
#include "postal/TownName.h"

#include <algorithm>
#include <array>

namespace postal {

namespace {

constexpr std::size_t kResidentialColumns = 15;
constexpr std::size_t kBusinessColumns = 13;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Lead and trail bytes where code page 932 has them; the content of a pair is left to the
// converter, which marks an unassigned one with 〓.
bool isCp932(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
            return false;
        }
        if (cp932::IsLeadByte(byte)) {
            if (++i >= bytes.size()) {
                return false;
            }
            const auto trail = static_cast<unsigned char>(bytes[i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                return false;
            }
        }
    }
    return true;
}

class RecordReader
{
public:
    explicit RecordReader(bool utf8Input) : m_utf8(utf8Input) {}

    std::string text(const CsvRecord& record, std::size_t column) const
    {
        const std::string& field = record.fields[column];
        if (m_utf8) {
            return field;
        }
        if (!isCp932(field)) {
            throw RecordError(record.line, "文字コードがコードページ 932 (Shift_JIS) でも UTF-8 でもありません");
        }
        return cp932::ToUtf8(field);
    }

    std::string zip(const CsvRecord& record, std::size_t column) const
    {
        const std::string& code = record.fields[column];
        if (code.size() != 7 || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            throw RecordError(record.line, "郵便番号 \"" + text(record, column) + "\" が 7 桁の数字ではありません");
        }
        return code.substr(0, 3) + "-" + code.substr(3);
    }

    // Prefecture and city are never empty in a sound record; an empty one means shifted columns.
    std::string place(const CsvRecord& record, std::size_t column) const
    {
        std::string value = text(record, column);
        if (value.empty()) {
            throw RecordError(record.line, "都道府県名か市区町村名が空です");
        }
        return value;
    }

private:
    bool m_utf8;
};

std::size_t countOf(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

// A town longer than the record allows continues on the following lines of the same code
// until its parenthesis closes.
std::vector<PostalEntry> residentialEntries(const std::vector<CsvRecord>& records, const RecordReader& reader)
{
    std::vector<PostalEntry> entries;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        const std::string zip = reader.zip(record, 2);
        std::string town = reader.text(record, 8);
        while (countOf(town, "（") > countOf(town, "）")) {
            if (++i >= records.size() || reader.zip(records[i], 2) != zip) {
                throw RecordError(record.line, "町域名の括弧が閉じないまま続きの行がありません");
            }
            town += reader.text(records[i], 8);
        }
        entries.push_back({zip, reader.place(record, 6), reader.place(record, 7), townOfRecord(town), "", ""});
    }
    return entries;
}

std::vector<PostalEntry> businessEntries(const std::vector<CsvRecord>& records, const RecordReader& reader)
{
    std::vector<PostalEntry> entries;
    entries.reserve(records.size());
    for (const CsvRecord& record : records) {
        entries.push_back({reader.zip(record, 7), reader.place(record, 3), reader.place(record, 4),
                           reader.text(record, 5), reader.text(record, 6), reader.text(record, 2)});
    }
    return entries;
}

std::vector<PostalEntry> entriesOf(std::string_view bytes)
{
    const bool utf8Input = utf8::isValid(bytes);
    if (utf8Input && bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    static constexpr std::array<std::size_t, 2> kColumnCounts = {kResidentialColumns, kBusinessColumns};
    const std::vector<CsvRecord> records = splitCsv(bytes, {kColumnCounts, "住所の一覧は 15、事業所の一覧は 13"});
    if (records.empty()) {
        throw RecordError(1, "郵便番号の行がありません");
    }
    const std::size_t columns = records.front().fields.size();
    const RecordReader reader(utf8Input);
    return columns == kResidentialColumns ? residentialEntries(records, reader) : businessEntries(records, reader);
}

} // namespace

std::vector<PostalEntry> parseJapanPostFile(std::string_view bytes, const std::string& name)
{
    try {
        return entriesOf(bytes);
    } catch (const RecordError& error) {
        throw JapanPostFileError(name + " の " + std::to_string(error.line()) + " 行目: " + error.what());
    }
}

std::vector<PostalEntry> readJapanPostFile(const std::filesystem::path& file)
{
    std::optional<std::string> bytes;
    try {
        bytes = ReadRegularFile(file, kMaxJapanPostFileBytes);
    } catch (const FileReadError& error) {
        throw JapanPostFileError(error.what());
    }
    if (!bytes) {
        throw JapanPostFileError(file.string() + " がありません");
    }
    return parseJapanPostFile(*bytes, file.string());
}

} // namespace postal
