#include "smartimport/Places.h"

#include <algorithm>
#include <array>

namespace smartimport {

namespace {

constexpr std::array<std::u32string_view, 47> kPrefectures = {
    U"北海道", U"青森県", U"岩手県", U"宮城県",   U"秋田県", U"山形県",   U"福島県", U"茨城県", U"栃木県", U"群馬県",
    U"埼玉県", U"千葉県", U"東京都", U"神奈川県", U"新潟県", U"富山県",   U"石川県", U"福井県", U"山梨県", U"長野県",
    U"岐阜県", U"静岡県", U"愛知県", U"三重県",   U"滋賀県", U"京都府",   U"大阪府", U"兵庫県", U"奈良県", U"和歌山県",
    U"鳥取県", U"島根県", U"岡山県", U"広島県",   U"山口県", U"徳島県",   U"香川県", U"愛媛県", U"高知県", U"福岡県",
    U"佐賀県", U"長崎県", U"熊本県", U"大分県",   U"宮崎県", U"鹿児島県", U"沖縄県",
};

constexpr std::array<std::u32string_view, 34> kBuildingWords = {
    U"ビル",   U"マンション", U"ハイツ",   U"コーポ",     U"レジデンス", U"アパート", U"メゾン", U"タワー", U"ハウス",
    U"パレス", U"ヒルズ",     U"コート",   U"プラザ",     U"号室",       U"号館",     U"号棟",   U"階",     U"荘",
    U"寮",     U"棟",         U"館",       U"ヴィラ",     U"シャトー",   U"カーサ",   U"ハイム", U"テラス", U"フラット",
    U"団地",   U"住宅",       U"センター", U"キャッスル", U"グランド",   U"ドミール", U"ルーム",
};

constexpr std::array<std::u32string_view, 47> kRomajiPrefectures = {
    U"hokkaido", U"aomori",    U"iwate",     U"miyagi",    U"akita",    U"yamagata",  U"fukushima", U"ibaraki",
    U"tochigi",  U"gunma",     U"saitama",   U"chiba",     U"tokyo",    U"kanagawa",  U"niigata",   U"toyama",
    U"ishikawa", U"fukui",     U"yamanashi", U"nagano",    U"gifu",     U"shizuoka",  U"aichi",     U"mie",
    U"shiga",    U"kyoto",     U"osaka",     U"hyogo",     U"nara",     U"wakayama",  U"tottori",   U"shimane",
    U"okayama",  U"hiroshima", U"yamaguchi", U"tokushima", U"kagawa",   U"ehime",     U"kochi",     U"fukuoka",
    U"saga",     U"nagasaki",  U"kumamoto",  U"oita",      U"miyazaki", U"kagoshima", U"okinawa",
};

constexpr std::array<std::u32string_view, 11> kRomajiPlaceWords = {
    U"-ku", U"-shi", U"-cho", U"-machi", U"-gun", U"-mura", U"-ken", U"-fu", U" city", U" ward", U"prefecture",
};

constexpr std::array<std::u32string_view, 9> kRomajiBuildingWords = {
    U"bldg", U"building", U"apt", U"apartment", U"room", U"heights", U"tower", U"mansion", U"floor",
};

bool hasLatinWord(TextView lower, std::u32string_view word)
{
    for (std::size_t at = lower.find(word); at != TextView::npos; at = lower.find(word, at + 1)) {
        const bool startsWord = at == 0 || !isAsciiLetter(lower[at - 1]);
        const bool endsWord = at + word.size() == lower.size() || !isAsciiLetter(lower[at + word.size()]);
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

bool isFloorMark(TextView text, std::size_t at)
{
    // "5F" or "B1F": a floor when a digit precedes the letter and no letter follows it.
    return (text[at] == U'F' || text[at] == U'f') && at > 0 && isDigit(text[at - 1]) &&
           (at + 1 == text.size() || !isAsciiLetter(text[at + 1]));
}

} // namespace

std::size_t prefectureAt(TextView text)
{
    for (const std::u32string_view name : kPrefectures) {
        if (text.starts_with(name)) {
            return name.size();
        }
    }
    return 0;
}

Text prefectureNamed(TextView text)
{
    text = trimBlanks(text);
    for (const std::u32string_view name : kPrefectures) {
        if (text == name || (name != U"北海道" && text == name.substr(0, name.size() - 1))) {
            return Text(name);
        }
    }
    return {};
}

bool hasMunicipality(TextView text)
{
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char32_t c = text[i];
        if ((c == U'市' || c == U'区' || c == U'町' || c == U'村' || c == U'郡') && !isBlank(text[i - 1]) &&
            !isDigit(text[i - 1])) {
            return true;
        }
    }
    return false;
}

bool hasBuildingWord(TextView text)
{
    for (const std::u32string_view word : kBuildingWords) {
        if (contains(text, word)) {
            return true;
        }
    }
    const Text lower = lowerAscii(text);
    for (const std::u32string_view word : kRomajiBuildingWords) {
        if (hasLatinWord(lower, word)) {
            return true;
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isFloorMark(text, i) || (text[i] == U'#' && i + 1 < text.size() && isDigit(text[i + 1]))) {
            return true;
        }
    }
    return false;
}

bool isRomaji(TextView text)
{
    std::size_t latin = 0;
    std::size_t other = 0;
    for (const char32_t c : text) {
        latin += isAsciiLetter(c) ? 1 : 0;
        other += c >= 0x80 ? 1 : 0;
    }
    return latin > 0 && other * 10 <= latin;
}

bool isMunicipality(TextView text)
{
    text = trimBlanks(text);
    return !text.empty() && hasMunicipality(text) && countDigits(text) == 0 && splitWords(text).size() == 1 &&
           TextView(U"市区町村郡").find(text.back()) != TextView::npos;
}

bool isRomajiPlace(TextView text)
{
    if (!isRomaji(text)) {
        return false;
    }
    const Text lower = lowerAscii(text);
    for (const std::u32string_view word : kRomajiPlaceWords) {
        if (contains(lower, word)) {
            return true;
        }
    }
    for (const std::u32string_view word : kRomajiPrefectures) {
        if (hasLatinWord(lower, word)) {
            return true;
        }
    }
    return false;
}

std::size_t careOfEnd(TextView text)
{
    // Longest first where one mark ends another.
    for (const std::u32string_view mark : {U"様方", U"気付", U"局留め", U"局留", U"局止め", U"止め置き", U"留め置き",
                                           U"止め", U"留め", U"局どめ", U"どめ"}) {
        if (const std::size_t at = text.find(mark); at != TextView::npos && at > 0) {
            return at + mark.size();
        }
    }
    return TextView::npos;
}

bool hasCareOf(TextView text)
{
    return careOfEnd(text) != TextView::npos || contains(lowerAscii(text), U"c/o");
}

TextView holdPlaceIn(TextView sentence)
{
    const std::size_t end = careOfEnd(sentence);
    if (end == TextView::npos) {
        return {};
    }
    const std::size_t comma = sentence.substr(0, end).find_last_of(U"、,");
    const std::size_t start = comma == TextView::npos ? 0 : comma + 1;
    const TextView hold = trimBlanks(sentence.substr(start, end - start));
    TextView place = hold;
    while (!place.empty() && TextView(U"留止置めきど").find(place.back()) != TextView::npos) {
        place.remove_suffix(1);
    }
    // Kana inside means the clause is talk around the place, not its name.
    const bool talk = std::any_of(place.begin(), place.end(), [](char32_t c) { return c >= 0x3041 && c <= 0x309F; });
    const bool generic = place.size() < 2 || place == U"郵便局" || place == U"営業所" || place == U"センター";
    return talk || generic ? TextView() : hold;
}

} // namespace smartimport
