#include "Classification.h"

#include "Cp932.h"
#include "LineText.h"
#include "Tables.h"

#include <algorithm>
#include <cstring>

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

int countAll(std::string_view text, const std::vector<std::string>& patterns)
{
    int count = 0;
    for (const std::string& pattern : patterns) {
        count += CountOccurrences(text, pattern);
    }
    return count;
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

ZipTelVerdict ZipTelCheck(std::string_view text)
{
    const auto characters = static_cast<long>(cp932::CharCount(Trim(text)));
    const long others = characters - countAll(text, tables::DigitSet());
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
    return {cp932::CharCount(trimmed),
            countAll(trimmed, tables::DigitSet()) + countAll(trimmed, tables::AddressWords())};
}

int MailWebMarkerCount(std::string_view text)
{
    return countAll(text, tables::MailWebMarkers());
}

} // namespace textimport
