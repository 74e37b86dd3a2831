#include "postal/PostalCode.h"

#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include <vector>

namespace postal {

namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u3000';
}

int digitValue(char32_t c)
{
    c = widthfold::narrowAscii(c);
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    return -1;
}

} // namespace

std::optional<std::string> normaliseCode(std::string_view utf8)
{
    std::vector<char32_t> chars;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = 0;
        if (!utf8::next(utf8, pos, c)) {
            return std::nullopt;
        }
        chars.push_back(c);
    }
    std::size_t begin = 0;
    std::size_t end = chars.size();
    while (begin < end && isBlank(chars[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(chars[end - 1])) {
        --end;
    }
    if (begin < end && chars[begin] == U'\u3012') { // 〒
        ++begin;
        while (begin < end && isBlank(chars[begin])) {
            ++begin;
        }
    }
    std::string digits;
    for (std::size_t i = begin; i < end; ++i) {
        const int digit = digitValue(chars[i]);
        if (digit >= 0) {
            digits.push_back(static_cast<char>('0' + digit));
        } else if (!(widthfold::isDash(chars[i]) && i - begin == 3)) {
            return std::nullopt;
        }
    }
    const std::size_t expectedLength = (end - begin == 8) ? 8 : 7;
    if (digits.size() != 7 || end - begin != expectedLength) {
        return std::nullopt;
    }
    return digits;
}

std::string formatCode(std::string_view sevenDigits)
{
    if (sevenDigits.size() != 7) {
        return std::string(sevenDigits);
    }
    return std::string(sevenDigits.substr(0, 3)) + "-" + std::string(sevenDigits.substr(3));
}

} // namespace postal
