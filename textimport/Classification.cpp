#include "textimport/Classification.h"

#include "platform/Cp932.h"
#include "textimport/LineText.h"
#include "textimport/Tables.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace textimport {

namespace {

bool matchesAt(std::string_view text, std::size_t pos, std::string_view pattern)
{
    const std::size_t available = std::min(pattern.size(), text.size() - pos);
    if (std::memcmp(text.data() + pos, pattern.data(), available) != 0) {
        return false;
    }
    // Beyond the end the text reads as zero bytes.
    return std::all_of(pattern.begin() + static_cast<std::ptrdiff_t>(available), pattern.end(),
                       [](char byte) { return byte == '\0'; });
}

std::size_t charLength(std::string_view text, std::size_t pos)
{
    return cp932::IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
}

const PatternSet& digits()
{
    static const PatternSet set(tables::DigitSet());
    return set;
}

const PatternSet& addressPatterns()
{
    static const PatternSet set = [] {
        std::vector<std::string> patterns = tables::DigitSet();
        const auto& words = tables::AddressWords();
        patterns.insert(patterns.end(), words.begin(), words.end());
        return PatternSet(patterns);
    }();
    return set;
}

const PatternSet& mailWebMarkers()
{
    static const PatternSet set(tables::MailWebMarkers());
    return set;
}

} // namespace

int CountOccurrences(std::string_view text, std::string_view pattern)
{
    if (pattern.empty()) {
        return 0;
    }
    int count = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        if (matchesAt(text, pos, pattern)) {
            ++count;
            pos += pattern.size();
        } else {
            pos += charLength(text, pos);
        }
    }
    return count;
}

std::string RemoveOccurrences(std::string_view text, std::string_view pattern)
{
    std::string out;
    if (pattern.empty()) {
        return std::string(text);
    }
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        if (matchesAt(text, pos, pattern)) {
            pos += pattern.size();
        } else {
            const std::size_t length = std::min(charLength(text, pos), text.size() - pos);
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

PatternSet::PatternSet(const std::vector<std::string>& patterns)
{
    for (const std::string& pattern : patterns) {
        // The shared walk steps by characters, so a pattern must end on a character boundary.
        std::size_t end = 0;
        while (end < pattern.size()) {
            end += charLength(pattern, end);
        }
        if (end != pattern.size()) {
            throw std::invalid_argument("pattern ends inside a double-byte character");
        }
        if (!pattern.empty()) {
            m_byFirstByte[static_cast<unsigned char>(pattern.front())].push_back(m_patterns.size());
            m_patterns.push_back(pattern);
        }
    }
}

int PatternSet::count(std::string_view text) const
{
    // Each pattern keeps its own scan: after a match it resumes behind it, as it would alone.
    // Its other scan positions are the character starts, the same for every pattern.
    std::vector<std::size_t> resumeAt(m_patterns.size(), 0);
    int count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        for (const std::size_t index : m_byFirstByte[static_cast<unsigned char>(text[pos])]) {
            const std::string& pattern = m_patterns[index];
            if (pos >= resumeAt[index] && matchesAt(text, pos, pattern)) {
                ++count;
                resumeAt[index] = pos + pattern.size();
            }
        }
    }
    return count;
}

ZipTelVerdict ZipTelCheck(std::string_view text)
{
    const auto characters = static_cast<long>(cp932::CharCount(Trim(text)));
    const long others = characters - digits().count(text);
    if (characters == 8 && others == 0) {
        return ZipTelVerdict::PostalCode;
    }
    if (characters > 10 && others <= 1) {
        return ZipTelVerdict::Telephone;
    }
    if (characters > 10 && others >= 3) {
        return ZipTelVerdict::AddressLike;
    }
    return ZipTelVerdict::Undetermined;
}

std::string_view VerdictText(ZipTelVerdict verdict)
{
    switch (verdict) {
    case ZipTelVerdict::PostalCode:
        return "〒";
    case ZipTelVerdict::Telephone:
        return "TEL";
    case ZipTelVerdict::AddressLike:
        return "ADD";
    case ZipTelVerdict::Undetermined:
        break;
    }
    return "〒/電話番工判断";
}

bool IsPrefecture(std::string_view text)
{
    const auto& names = tables::Prefectures();
    return std::find(names.begin(), names.end(), text) != names.end();
}

AddressScore ScoreAddress(std::string_view text)
{
    const std::string_view trimmed = Trim(text);
    return {cp932::CharCount(trimmed), addressPatterns().count(trimmed)};
}

int MailWebMarkerCount(std::string_view text)
{
    return mailWebMarkers().count(text);
}

} // namespace textimport
