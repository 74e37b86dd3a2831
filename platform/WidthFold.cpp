#include "platform/WidthFold.h"

#include "platform/Utf8.h"

namespace widthfold {
namespace {

constexpr char32_t kFullWidthBlank = 0x3000;

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

void appendKana(std::u32string& out, char32_t halfWidth)
{
    const char32_t full = kFullKana[halfWidth - 0xFF61];
    if (full == U'゛' && !out.empty() && takesVoicedMark(out.back())) {
        out.back() = out.back() == U'ウ' ? U'ヴ' : out.back() + 1;
    } else if (full == U'゜' && !out.empty() && takesSemiVoicedMark(out.back())) {
        out.back() += 2;
    } else {
        out.push_back(full);
    }
}

bool isNarrowBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool isDash(char32_t c)
{
    return c == U'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == U'ー' || c == 0x2500 || c == 0xFF0D ||
           c == 0xFF70;
}

char32_t narrowAscii(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) {
        return c - 0xFEE0;
    }
    return c == kFullWidthBlank ? U' ' : c;
}

std::string asciiForm(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t offset = 0; offset < utf8.size();) {
        const utf8::Char c = utf8::charAt(utf8, offset);
        offset += c.length;
        const char32_t narrow = isDash(c.code) ? U'-' : narrowAscii(c.code);
        if (narrow < 0x80) {
            out.push_back(static_cast<char>(narrow));
        } else {
            out.append(utf8.substr(c.offset, c.length));
        }
    }
    return out;
}

std::u32string foldWidth(std::u32string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (c >= 0xFF61 && c <= 0xFF9F) {
            appendKana(out, c);
        } else {
            out.push_back(c == U'\t' ? U' ' : narrowAscii(c));
        }
    }
    return out;
}

std::string_view trimBlanks(std::string_view utf8)
{
    static constexpr std::string_view kWideBlank = "　";
    for (;;) {
        if (!utf8.empty() && isNarrowBlank(utf8.front())) {
            utf8.remove_prefix(1);
        } else if (utf8.starts_with(kWideBlank)) {
            utf8.remove_prefix(kWideBlank.size());
        } else {
            break;
        }
    }
    for (;;) {
        if (!utf8.empty() && isNarrowBlank(utf8.back())) {
            utf8.remove_suffix(1);
        } else if (utf8.ends_with(kWideBlank)) {
            utf8.remove_suffix(kWideBlank.size());
        } else {
            break;
        }
    }
    return utf8;
}

} // namespace widthfold
