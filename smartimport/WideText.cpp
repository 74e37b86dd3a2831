#include "smartimport/WideText.h"

#include <array>

namespace smartimport {

namespace {

// Half-width katakana U+FF61..U+FF9F in their full-width forms.
constexpr std::u32string_view kFullKana = U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナ"
                                          U"ニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

bool takesVoicedMark(char32_t c)
{
    return (c >= U'カ' && c <= U'ト') || (c >= U'ハ' && c <= U'ホ') || c == U'ウ';
}

bool takesSemiVoicedMark(char32_t c)
{
    return c >= U'ハ' && c <= U'ホ';
}

} // namespace

Text fromUtf8(std::string_view utf8)
{
    Text out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            valid = valid && (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(valid ? c : U'\uFFFD');
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

std::string toUtf8(TextView text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (const char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Text normaliseWidth(TextView text)
{
    Text out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out.push_back(c - 0xFEE0);
        } else if (c == 0x3000 || c == U'\t') {
            out.push_back(U' ');
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            const char32_t full = kFullKana[c - 0xFF61];
            if (full == U'゛' && !out.empty() && takesVoicedMark(out.back())) {
                out.back() = out.back() == U'ウ' ? U'ヴ' : out.back() + 1;
            } else if (full == U'゜' && !out.empty() && takesSemiVoicedMark(out.back())) {
                out.back() += 2;
            } else {
                out.push_back(full);
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

Text normaliseDigitDashes(TextView text)
{
    Text out(text);
    for (std::size_t i = 1; i + 1 < out.size(); ++i) {
        if (isDash(out[i]) && isDigit(out[i - 1]) && isDigit(out[i + 1])) {
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

bool isDash(char32_t c)
{
    return c == U'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == U'ー' || c == 0x2500 || c == 0xFF0D ||
           c == 0xFF70;
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
