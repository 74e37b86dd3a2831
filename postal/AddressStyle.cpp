#include "postal/AddressStyle.h"

#include "platform/Utf8.h"

#include <array>
#include <utility>

namespace postal {

namespace {

constexpr std::u32string_view kKanjiDigits = U"〇一二三四五六七八九";

// Old and new forms of kanji that place names are written in either way.
constexpr std::array<std::pair<char32_t, char32_t>, 15> kKanjiForms = {{
    {U'澤', U'沢'},
    {U'邊', U'辺'},
    {U'邉', U'辺'},
    {U'嶋', U'島'},
    {U'嶌', U'島'},
    {U'﨑', U'崎'},
    {U'龍', U'竜'},
    {U'檜', U'桧'},
    {U'藪', U'薮'},
    {U'籔', U'薮'},
    {U'舘', U'館'},
    {U'廣', U'広'},
    {U'濱', U'浜'},
    {U'冨', U'富'},
    {U'髙', U'高'},
}};

char32_t sharedForm(char32_t c)
{
    switch (c) {
    case U'ヶ':
    case U'ヵ':
    case U'が':
    case U'カ':
    case U'ガ':
        return U'ケ';
    case U'之':
    case U'の':
        return U'ノ';
    default:
        break;
    }
    if (c >= U'０' && c <= U'９') {
        return U'0' + (c - U'０');
    }
    for (const auto& [old, current] : kKanjiForms) {
        if (c == old) {
            return current;
        }
    }
    return c;
}

// A run of kanji numerals as a number: 十一 -> 11, 二十 -> 20, 三 -> 3; hundreds and more stay as written.
std::u32string numeralValue(std::u32string_view run)
{
    if (run.find_first_of(U"百千") != std::u32string_view::npos) {
        return std::u32string(run);
    }
    int value = 0;
    int digit = -1;
    for (const char32_t c : run) {
        if (c == U'十') {
            value += (digit < 0 ? 1 : digit) * 10;
            digit = -1;
        } else {
            digit = digit < 0 ? 0 : digit * 10;
            digit += static_cast<int>(kKanjiDigits.find(c));
        }
    }
    value += digit < 0 ? 0 : digit;
    std::u32string out;
    for (const char c : std::to_string(value)) {
        out.push_back(static_cast<char32_t>(c));
    }
    return out;
}

bool endsDirectionWord(std::u32string_view rest, std::size_t& length)
{
    for (const std::u32string_view word :
         {U"上る", U"下る", U"上ル", U"下ル", U"西入ル", U"東入ル", U"西入る", U"東入る", U"西入", U"東入"}) {
        if (rest.starts_with(word)) {
            length = word.size();
            return true;
        }
    }
    return false;
}

} // namespace

std::size_t streetDirectionEnd(std::u32string_view text)
{
    const std::size_t street = text.find(U'通');
    for (std::size_t i = 1; i < text.size(); ++i) {
        std::size_t length = 0;
        if (!endsDirectionWord(text.substr(i), length)) {
            continue;
        }
        const char32_t last = text[i + length - 1];
        if ((street != std::u32string_view::npos && street < i) || last == U'る' || last == U'ル') {
            return i + length;
        }
    }
    return 0;
}

std::u32string comparablePlace(std::u32string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        if (isKanjiNumeral(text[i])) {
            std::size_t end = i;
            while (end < text.size() && isKanjiNumeral(text[end])) {
                ++end;
            }
            out += numeralValue(text.substr(i, end - i));
            i = end;
            continue;
        }
        const char32_t c = text[i++];
        if (!isAddressBlank(c) && c != U'条') {
            out.push_back(sharedForm(c));
        }
    }
    for (const std::u32string_view prefix : {U"大字", U"字"}) {
        if (std::u32string_view(out).starts_with(prefix)) {
            return out.substr(prefix.size());
        }
    }
    return out;
}

std::u32string toUtf32(std::string_view utf8)
{
    // Written in place into room for the most characters the bytes can hold.
    std::u32string out(utf8.size(), U'\0');
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = 0;
        if (!utf8::next(utf8, pos, c)) {
            c = U'\uFFFD'; // shown, not dropped: the slip prints it as 〓
            ++pos;
        }
        out[count++] = c;
    }
    out.resize(count);
    return out;
}

std::string toUtf8(std::u32string_view text)
{
    return utf8::encode(text);
}

} // namespace postal
