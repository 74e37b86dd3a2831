#include "batch/Csv.h"

#include <algorithm>

namespace batch {
namespace {

class CsvParser
{
public:
    CsvParser(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    std::vector<CsvRecord> records()
    {
        std::vector<CsvRecord> result;
        result.reserve(static_cast<std::size_t>(std::count(m_text.begin(), m_text.end(), '\n')) + 1);
        std::size_t row = 1;
        while (m_pos < m_text.size()) {
            CsvRecord record;
            record.row = row++;
            record.cells.reserve(m_width);
            readRecord(record.cells);
            m_width = std::max(m_width, record.cells.size());
            result.push_back(std::move(record));
        }
        return result;
    }

private:
    void readRecord(std::vector<std::string>& cells)
    {
        for (;;) {
            cells.push_back(readField());
            if (m_pos >= m_text.size()) {
                return;
            }
            const char c = m_text[m_pos++];
            if (c == m_separator) {
                continue;
            }
            if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') {
                ++m_pos;
            }
            return;
        }
    }

    bool endsField(char c) const { return c == m_separator || c == '\n' || c == '\r'; }

    std::string readField()
    {
        std::string field;
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            ++m_pos;
            readQuoted(field);
        }
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !endsField(m_text[m_pos])) {
            ++m_pos;
        }
        field.append(m_text.substr(start, m_pos - start));
        return field;
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
    std::size_t m_pos = 0;
    std::size_t m_width = 0; // cells of the widest record so far
};

} // namespace

std::vector<CsvRecord> ReadCsv(std::string_view text, char separator)
{
    return CsvParser(text, separator).records();
}

} // namespace batch
