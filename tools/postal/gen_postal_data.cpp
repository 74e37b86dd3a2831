// Turns the json/NNN.json files of the npm package jquery-jpostal-ja into the program's
// built-in postal list. Run by hand through tools/postal/update-postal-data.
//
//     gen_postal_data PACKAGE_FOLDER OUTPUT_FILE

#include "postal/PostalData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
}

// The package's files are one JSONP call holding an array of arrays of strings; nothing else
// of JSON is needed.
class JsonpReader
{
public:
    explicit JsonpReader(std::string text) : m_text(std::move(text)) {}

    std::vector<std::vector<std::string>> rows()
    {
        m_pos = m_text.find('(');
        expect('(');
        std::vector<std::vector<std::string>> out;
        expect('[');
        while (peek() != ']') {
            out.push_back(row());
            if (peek() == ',') {
                ++m_pos;
            }
        }
        return out;
    }

private:
    std::vector<std::string> row()
    {
        expect('[');
        std::vector<std::string> out;
        while (peek() != ']') {
            out.push_back(string());
            if (peek() == ',') {
                ++m_pos;
            }
        }
        ++m_pos;
        return out;
    }

    std::string string()
    {
        expect('"');
        std::string out;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            const char c = m_text[m_pos++];
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            const char escaped = m_text.at(m_pos++);
            if (escaped != 'u') {
                out.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
                continue;
            }
            char32_t unit = hex4();
            if (unit >= 0xD800 && unit < 0xDC00 && m_text.compare(m_pos, 2, "\\u") == 0) {
                m_pos += 2;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (hex4() - 0xDC00);
            }
            appendUtf8(out, unit);
        }
        expect('"');
        return out;
    }

    char32_t hex4()
    {
        const char32_t value = static_cast<char32_t>(std::stoul(m_text.substr(m_pos, 4), nullptr, 16));
        m_pos += 4;
        return value;
    }

    char peek()
    {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) {
            ++m_pos;
        }
        if (m_pos >= m_text.size()) {
            throw std::runtime_error("unexpected end of file");
        }
        return m_text[m_pos];
    }

    void expect(char c)
    {
        if (peek() != c) {
            throw std::runtime_error(std::string("expected '") + c + "' at byte " + std::to_string(m_pos));
        }
        ++m_pos;
    }

    std::string m_text;
    std::size_t m_pos = 0;
};

std::vector<postal::PostalEntry> readPackage(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder / "json")) {
        if (item.path().extension() == ".json") {
            files.push_back(item.path());
        }
    }
    std::sort(files.begin(), files.end());
    const std::regex code("_[0-9]{7}");
    std::vector<postal::PostalEntry> entries;
    for (const fs::path& file : files) {
        std::ifstream stream(file, std::ios::binary);
        try {
            for (auto& row : JsonpReader(std::string(std::istreambuf_iterator<char>(stream), {})).rows()) {
                // Three-digit keys are the package's per-area defaults, not codes.
                if (row.size() >= 6 && std::regex_match(row[0], code)) {
                    entries.push_back({row[0].substr(1), row[1], row[2], row[3], row[4], row[5]});
                }
            }
        } catch (const std::exception& error) {
            throw std::runtime_error(file.string() + ": " + error.what());
        }
    }
    return entries;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: gen_postal_data PACKAGE_FOLDER OUTPUT_FILE\n";
        return 2;
    }
    try {
        const std::vector<postal::PostalEntry> entries = readPackage(argv[1]);
        const std::string bytes = postal::encodeDirectory(entries);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
        std::cout << entries.size() << " entries, " << bytes.size() << " bytes\n";
    } catch (const std::exception& error) {
        std::cerr << "gen_postal_data: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
