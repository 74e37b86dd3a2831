#include "batch/Csv.h"

#include "batch/ColumnMapping.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace batch {
namespace {

// memchr looks at many bytes at a time, a counting loop at one.
std::size_t lineCount(std::string_view text)
{
    std::size_t count = 1;
    if (text.empty()) {
        return count;
    }
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        if (!found) {
            break;
        }
        at = static_cast<const char*>(found) + 1;
        ++count;
    }
    return count;
}

} // namespace

class CsvParser
{
public:
    CsvParser(std::string_view text, char separator) : m_text(text), m_separator(separator)
    {
        for (const char c : {separator, '\n', '\r'}) {
            m_endsField[static_cast<unsigned char>(c)] = true;
        }
    }

    CsvTable table()
    {
        const std::size_t lines = std::min(lineCount(m_text), kMaxCsvRecords);
        std::vector<std::size_t> starts; // where each record's cells begin
        std::vector<CsvRecord> shapes;   // the records without their cells
        starts.reserve(lines + 1);
        shapes.reserve(lines);
        std::size_t row = 1;
        while (m_pos < m_text.size()) {
            if (shapes.size() == kMaxCsvRecords) {
                throw BatchError("注文ファイルの行が多すぎます（" + std::to_string(kMaxCsvRecords) + " 行まで）");
            }
            starts.push_back(m_table.m_cells.size());
            shapes.push_back(readRecord(row));
            row += 1 + shapes.back().swallowedRows;
            if (starts.size() == 1) {
                // Later records are mostly as wide as the header; no more cells than bytes.
                m_table.m_cells.reserve(std::min({m_table.m_cells.size() * lines, m_text.size() + 1, kMaxCsvCells}));
            }
        }
        starts.push_back(m_table.m_cells.size());
        // Only now that the cell list is complete do its addresses stay put.
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            shapes[i].cells = {m_table.m_cells.data() + starts[i], starts[i + 1] - starts[i]};
        }
        m_table.m_records = std::move(shapes);
        return std::move(m_table);
    }

private:
    CsvRecord readRecord(std::size_t row)
    {
        const std::size_t start = m_pos;
        m_unclosedQuote = false;
        for (;;) {
            if (m_table.m_cells.size() == kMaxCsvCells) {
                throw BatchError("注文ファイルの項目が多すぎます（" + std::to_string(kMaxCsvCells) + " まで）");
            }
            m_table.m_cells.push_back(readField());
            if (m_pos >= m_text.size()) {
                break;
            }
            const char c = m_text[m_pos++];
            if (c == m_separator) {
                continue;
            }
            if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') {
                ++m_pos;
            }
            break;
        }
        CsvRecord record{row, {}, m_unclosedQuote, 0};
        if (m_unclosedQuote) {
            std::string_view text = m_text.substr(start, m_pos - start);
            text.remove_suffix(text.ends_with('\n') ? 1 : 0);
            record.swallowedRows = lineCount(text) - 1;
        }
        return record;
    }

    // A table rather than three comparisons: this runs for every byte of the file.
    bool endsField(char c) const { return m_endsField[static_cast<unsigned char>(c)]; }
    bool atFieldEnd() const { return m_pos >= m_text.size() || endsField(m_text[m_pos]); }

    std::string_view readField()
    {
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            return readQuotedField();
        }
        return readPlain();
    }

    std::string_view readPlain()
    {
        const std::size_t start = m_pos;
        while (!atFieldEnd()) {
            ++m_pos;
        }
        return m_text.substr(start, m_pos - start);
    }

    std::string_view readQuotedField()
    {
        const std::size_t start = ++m_pos;
        const std::size_t quote = m_text.find('"', start);
        if (quote == std::string_view::npos) {
            m_pos = m_text.size();
            m_unclosedQuote = true;
            return m_text.substr(start);
        }
        m_unclosedQuote = m_unclosedQuote || lineCount(m_text.substr(start, quote - start)) > kMaxCellLineBreaks + 1;
        m_pos = quote + 1;
        if (atFieldEnd()) {
            return m_text.substr(start, quote - start);
        }
        // Doubled quotes or text after the closing quote: the cell is no stretch of the text.
        m_pos = start;
        std::string cell;
        readQuoted(cell);
        cell.append(readPlain());
        return m_table.m_rewritten.emplace_back(std::move(cell));
    }

    void readQuoted(std::string& field)
    {
        while (m_pos < m_text.size()) {
            const std::size_t quote = m_text.find('"', m_pos);
            if (quote == std::string_view::npos) {
                field.append(m_text.substr(m_pos));
                m_pos = m_text.size();
                return;
            }
            field.append(m_text.substr(m_pos, quote - m_pos));
            m_pos = quote + 1;
            if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                field.push_back('"');
                ++m_pos;
                continue;
            }
            return;
        }
    }

    std::string_view m_text;
    char m_separator;
    std::array<bool, 0x100> m_endsField{};
    std::size_t m_pos = 0;
    bool m_unclosedQuote = false;
    CsvTable m_table;
};

CsvTable ReadCsv(std::string_view text, char separator)
{
    return CsvParser(text, separator).table();
}

} // namespace batch
