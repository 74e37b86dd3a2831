#include "postal/PostalData.h"

#include "platform/Utf8.h"
#include "postal/PostalCode.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace postal {

namespace {

constexpr std::string_view kMagic = "MIVOPST1";
constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kCharSize = 3;
constexpr std::size_t kCitySize = 6;
constexpr std::size_t kEntrySize = 14;
constexpr std::size_t kOneByteChars = 128;
constexpr std::size_t kMaxChars = kOneByteChars + 0x8000;
constexpr std::size_t kMaxCities = 0x10000;
constexpr std::size_t kMaxPool = 0x1000000;
constexpr std::size_t kMaxTextLength = 0x8000;

std::uint32_t readLe(std::string_view bytes, std::size_t pos, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
    }
    return value;
}

void writeLe(std::string& out, std::uint32_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::vector<char32_t> codePoints(std::string_view text)
{
    std::vector<char32_t> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        if (!utf8::next(text, pos, c)) {
            throw DataFormatError("文字コードが UTF-8 ではありません");
        }
        out.push_back(c);
    }
    return out;
}

// Builds the character table and the string pool in first-use order, so that the same list
// always gives the same bytes.
class Encoder
{
public:
    explicit Encoder(const std::vector<PostalEntry>& entries)
    {
        std::map<char32_t, std::size_t> frequency;
        for (const PostalEntry& entry : entries) {
            for (const std::string* text : fields(entry)) {
                for (const char32_t c : codePoints(*text)) {
                    ++frequency[c];
                }
            }
        }
        std::vector<std::pair<char32_t, std::size_t>> byUse(frequency.begin(), frequency.end());
        std::stable_sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        if (byUse.size() > kMaxChars) {
            throw DataFormatError("文字の種類が多すぎます");
        }
        for (std::size_t i = 0; i < byUse.size(); ++i) {
            m_index[byUse[i].first] = i;
            writeLe(m_charTable, byUse[i].first, kCharSize);
        }
        m_pool.push_back('\0'); // offset 0: the empty text
    }

    std::uint32_t add(const std::string& text)
    {
        if (text.empty()) {
            return 0;
        }
        const auto [it, added] = m_offsets.try_emplace(text, static_cast<std::uint32_t>(m_pool.size()));
        if (added) {
            appendText(text);
        }
        return it->second;
    }

    std::size_t charCount() const { return m_index.size(); }
    const std::string& charTable() const { return m_charTable; }
    const std::string& pool() const { return m_pool; }

    static std::vector<const std::string*> fields(const PostalEntry& e)
    {
        return {&e.prefecture, &e.city, &e.town, &e.street, &e.office};
    }

private:
    void appendText(const std::string& text)
    {
        const std::vector<char32_t> chars = codePoints(text);
        if (chars.size() >= kMaxTextLength) {
            throw DataFormatError("長すぎる項目があります: " + text.substr(0, 60));
        }
        appendNumber(chars.size());
        for (const char32_t c : chars) {
            appendNumber(m_index.at(c));
        }
        if (m_pool.size() >= kMaxPool) {
            throw DataFormatError("一覧が大きすぎます");
        }
    }

    // One byte below 128, else two bytes holding the rest of the range.
    void appendNumber(std::size_t value)
    {
        if (value < kOneByteChars) {
            m_pool.push_back(static_cast<char>(value));
        } else {
            const std::size_t rest = value - kOneByteChars;
            m_pool.push_back(static_cast<char>(0x80 | (rest >> 8)));
            m_pool.push_back(static_cast<char>(rest & 0xFF));
        }
    }

    std::unordered_map<char32_t, std::size_t> m_index;
    std::unordered_map<std::string, std::uint32_t> m_offsets;
    std::string m_charTable;
    std::string m_pool;
};

std::uint32_t codeOf(const std::string& zip)
{
    const std::optional<std::string> digits = normaliseCode(zip);
    if (!digits) {
        throw DataFormatError("郵便番号ではありません: " + zip);
    }
    return static_cast<std::uint32_t>(std::stoul(*digits));
}

} // namespace

std::string encodeDirectory(const std::vector<PostalEntry>& entries)
{
    std::vector<std::pair<std::uint32_t, const PostalEntry*>> sorted;
    sorted.reserve(entries.size());
    for (const PostalEntry& entry : entries) {
        sorted.emplace_back(codeOf(entry.zip), &entry);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    Encoder encoder(entries);
    std::map<std::pair<std::string, std::string>, std::uint32_t> cityIndex;
    std::string cities;
    std::string records;
    for (const auto& [code, entry] : sorted) {
        const auto [it, added] =
            cityIndex.try_emplace({entry->prefecture, entry->city}, static_cast<std::uint32_t>(cityIndex.size()));
        if (added) {
            writeLe(cities, encoder.add(entry->prefecture), 3);
            writeLe(cities, encoder.add(entry->city), 3);
        }
        if (cityIndex.size() > kMaxCities) {
            throw DataFormatError("市区町村が多すぎます");
        }
        writeLe(records, code, 3);
        writeLe(records, it->second, 2);
        writeLe(records, encoder.add(entry->town), 3);
        writeLe(records, encoder.add(entry->street), 3);
        writeLe(records, encoder.add(entry->office), 3);
    }

    std::string out(kMagic);
    writeLe(out, static_cast<std::uint32_t>(encoder.charCount()), 4);
    writeLe(out, static_cast<std::uint32_t>(cityIndex.size()), 4);
    writeLe(out, static_cast<std::uint32_t>(sorted.size()), 4);
    writeLe(out, static_cast<std::uint32_t>(encoder.pool().size()), 4);
    return out + encoder.charTable() + cities + records + encoder.pool();
}

DirectoryData::DirectoryData(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic) {
        throw DataFormatError("郵便番号データではありません");
    }
    m_charCount = readLe(bytes, 8, 4);
    const std::size_t cityCount = readLe(bytes, 12, 4);
    m_entryCount = readLe(bytes, 16, 4);
    const std::size_t poolSize = readLe(bytes, 20, 4);
    if (m_charCount > kMaxChars || cityCount > kMaxCities || poolSize == 0 || poolSize > kMaxPool ||
        m_entryCount > bytes.size() / kEntrySize) {
        throw DataFormatError("郵便番号データが壊れています");
    }
    const std::size_t expected =
        kHeaderSize + m_charCount * kCharSize + cityCount * kCitySize + m_entryCount * kEntrySize + poolSize;
    if (bytes.size() != expected) {
        throw DataFormatError("郵便番号データの長さが合いません");
    }
    std::size_t pos = kHeaderSize;
    const auto section = [&](std::size_t length) {
        const std::string_view part = bytes.substr(pos, length);
        pos += length;
        return part;
    };
    m_chars = section(m_charCount * kCharSize);
    m_cities = section(cityCount * kCitySize);
    m_entries = section(m_entryCount * kEntrySize);
    m_pool = section(poolSize);

    for (std::size_t i = 0; i < m_charCount; ++i) {
        const std::uint32_t c = readLe(m_chars, i * kCharSize, kCharSize);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            throw DataFormatError("郵便番号データの文字表が壊れています");
        }
    }
    for (std::size_t i = 0; i < cityCount * 2; ++i) {
        if (readLe(m_cities, i * 3, 3) >= poolSize) {
            throw DataFormatError("郵便番号データの市区町村表が壊れています");
        }
    }
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < m_entryCount; ++i) {
        const std::size_t at = i * kEntrySize;
        const std::uint32_t code = readLe(m_entries, at, 3);
        const bool bad = code > 9999999 || code < previous || readLe(m_entries, at + 3, 2) >= cityCount ||
                         readLe(m_entries, at + 5, 3) >= poolSize || readLe(m_entries, at + 8, 3) >= poolSize ||
                         readLe(m_entries, at + 11, 3) >= poolSize;
        if (bad) {
            throw DataFormatError("郵便番号データの項目が壊れています");
        }
        previous = code;
    }
}

std::uint32_t DirectoryData::codeAt(std::size_t index) const
{
    return readLe(m_entries, index * kEntrySize, 3);
}

std::vector<PostalEntry> DirectoryData::find(std::uint32_t code) const
{
    std::size_t low = 0;
    std::size_t high = m_entryCount;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (codeAt(middle) < code) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    std::vector<PostalEntry> found;
    for (std::size_t i = low; i < m_entryCount && codeAt(i) == code; ++i) {
        found.push_back(entryAt(i));
    }
    return found;
}

PostalEntry DirectoryData::entryAt(std::size_t index) const
{
    const std::size_t at = index * kEntrySize;
    const std::uint32_t city = readLe(m_entries, at + 3, 2);
    std::string zip = "000-0000";
    std::uint32_t code = codeAt(index);
    for (std::size_t pos = zip.size(); pos-- > 0;) {
        if (pos != 3) {
            zip[pos] = static_cast<char>('0' + code % 10);
            code /= 10;
        }
    }
    return {std::move(zip),
            text(readLe(m_cities, city * kCitySize, 3)),
            text(readLe(m_cities, city * kCitySize + 3, 3)),
            text(readLe(m_entries, at + 5, 3)),
            text(readLe(m_entries, at + 8, 3)),
            text(readLe(m_entries, at + 11, 3))};
}

// Decoding stops at the end of the pool or at an index outside the character table, so a
// damaged pool gives a short text, never a read out of bounds.
std::string DirectoryData::text(std::uint32_t poolOffset) const
{
    std::size_t pos = poolOffset;
    const auto number = [&](std::size_t& value) {
        if (pos >= m_pool.size()) {
            return false;
        }
        const auto first = static_cast<unsigned char>(m_pool[pos++]);
        if (first < kOneByteChars) {
            value = first;
            return true;
        }
        if (pos >= m_pool.size()) {
            return false;
        }
        value =
            kOneByteChars + (static_cast<std::size_t>(first & 0x7F) << 8) + static_cast<unsigned char>(m_pool[pos++]);
        return true;
    };
    std::size_t length = 0;
    std::string out;
    if (!number(length)) {
        return out;
    }
    out.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i) {
        std::size_t index = 0;
        if (!number(index) || index >= m_charCount) {
            break;
        }
        utf8::append(out, readLe(m_chars, index * kCharSize, kCharSize));
    }
    return out;
}

} // namespace postal
