#include "smartimport/WideText.h"

namespace smartimport {

Text normaliseDigitDashes(TextView text)
{
    Text out(text);
    for (std::size_t i = 1; i + 1 < out.size(); ++i) {
        if (widthfold::isDash(out[i]) && isDigit(out[i - 1]) && isDigit(out[i + 1])) {
            out[i] = U'-';
        }
    }
    return out;
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000 || c == U'\r' || c == 0xA0;
}

bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isKanjiNumeral(char32_t c)
{
    return TextView(U"〇一二三四五六七八九十百千").find(c) != TextView::npos;
}

bool isKana(char32_t c)
{
    return (c >= 0x3041 && c <= 0x30FF) || c == U' ';
}

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

TextView trimBlanks(TextView text)
{
    while (!text.empty() && (isBlank(text.front()) || text.front() < 0x20)) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (isBlank(text.back()) || text.back() < 0x20)) {
        text.remove_suffix(1);
    }
    return text;
}

bool contains(TextView text, TextView part)
{
    return text.find(part) != TextView::npos;
}

std::size_t countDigits(TextView text)
{
    std::size_t count = 0;
    for (const char32_t c : text) {
        count += isDigit(c) ? 1 : 0;
    }
    return count;
}

std::vector<TextView> splitWords(TextView text)
{
    std::vector<TextView> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isBlank(text[i])) {
            if (i > start) {
                words.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return words;
}

Text lowerAscii(TextView text)
{
    Text out(text);
    for (char32_t& c : out) {
        if (c >= U'A' && c <= U'Z') {
            c += U'a' - U'A';
        }
    }
    return out;
}

} // namespace smartimport
