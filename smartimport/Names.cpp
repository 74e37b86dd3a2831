#include "smartimport/Names.h"

#include <algorithm>
#include <array>
#include <optional>

namespace smartimport {

namespace {

constexpr std::array<std::u32string_view, 8> kHonorifics = {U"御中", U"先生", U"さま", U"サマ",
                                                            U"様",   U"殿",   U"宛",   U"さん"};

constexpr std::array<std::u32string_view, 32> kCompanyWords = {
    U"役所", U"役場",   U"庁",   U"協議会", U"株式会社", U"有限会社", U"合同会社",   U"合資会社",
    U"(株)", U"(有)",   U"㈱",   U"㈲",     U"法人",     U"協会",     U"組合",       U"商店",
    U"商事", U"事務所", U"大学", U"病院",   U"医院",     U"診療所",   U"クリニック", U"歯科",
    U"学校", U"研究所", U"工業", U"産業",   U"物産",     U"inc",      U"co.,",       U"ltd",
};

constexpr std::array<std::u32string_view, 14> kDepartmentEnds = {
    U"部",   U"課",     U"室",     U"係",   U"グループ", U"チーム", U"センター",
    U"支店", U"営業所", U"事業部", U"本部", U"支社",     U"受付",   U"事務局",
};

bool isReading(TextView inside)
{
    return !inside.empty() && std::all_of(inside.begin(), inside.end(), [](char32_t c) { return isKana(c); });
}

// "(Kenji Ota)" after a name written in kanji or kana: its romaji reading.
bool isRomajiReading(TextView before, TextView inside)
{
    const bool written = std::any_of(before.begin(), before.end(), [](char32_t c) { return c >= 0x80; });
    const bool latin = std::all_of(inside.begin(), inside.end(), [](char32_t c) {
        return isAsciiLetter(c) || isBlank(c) || c == U'.' || c == U'-' || c == U'\'';
    });
    return written && latin && std::count_if(inside.begin(), inside.end(), isAsciiLetter) >= 2;
}

// Drops "(ヤマダ タロウ)" and "(Taro Yamada)" readings.
Text dropReadings(TextView name)
{
    Text out;
    std::size_t i = 0;
    while (i < name.size()) {
        if (name[i] == U'(') {
            const std::size_t close = name.find(U')', i);
            const TextView inside = close != TextView::npos ? name.substr(i + 1, close - i - 1) : TextView();
            if (close != TextView::npos && (isReading(inside) || isRomajiReading(name.substr(0, i), inside))) {
                i = close + 1;
                continue;
            }
        }
        out.push_back(name[i++]);
    }
    return out;
}

std::optional<TextView> withoutHonorific(TextView word)
{
    for (const std::u32string_view honorific : kHonorifics) {
        if (word.ends_with(honorific)) {
            return word.size() > honorific.size() ? word.substr(0, word.size() - honorific.size()) : TextView();
        }
    }
    return std::nullopt;
}

// "鈴木一郎様 陽子" (its last 様 already gone): two addressees keep their names, not their honorifics.
Text withoutInnerHonorifics(TextView name)
{
    const std::vector<TextView> words = splitWords(name);
    if (words.size() < 2 || std::none_of(words.begin(), words.end() - 1,
                                         [](TextView word) { return withoutHonorific(word).has_value(); })) {
        return Text(name);
    }
    Text out;
    for (const TextView word : words) {
        const TextView kept = withoutHonorific(word).value_or(word);
        if (!kept.empty()) {
            out += (out.empty() ? U"" : U" ") + Text(kept);
        }
    }
    return out;
}

} // namespace

bool endsInHonorific(TextView text)
{
    text = trimBlanks(text);
    return std::any_of(kHonorifics.begin(), kHonorifics.end(), [&](std::u32string_view honorific) {
        return text.ends_with(honorific) && text.size() > honorific.size();
    });
}

Text cleanName(TextView name)
{
    const Text withoutReadings = dropReadings(trimBlanks(name));
    TextView text = trimBlanks(withoutReadings);
    for (bool cut = true; cut;) {
        cut = false;
        for (const std::u32string_view honorific : kHonorifics) {
            if (text.size() > honorific.size() && text.ends_with(honorific)) {
                text = trimBlanks(text.substr(0, text.size() - honorific.size()));
                cut = true;
            }
        }
    }
    return withoutInnerHonorifics(text);
}

bool isHonorific(TextView text)
{
    text = trimBlanks(text);
    return std::find(kHonorifics.begin(), kHonorifics.end(), text) != kHonorifics.end();
}

bool isCompany(TextView name)
{
    const Text lower = lowerAscii(name);
    return std::any_of(kCompanyWords.begin(), kCompanyWords.end(),
                       [&](std::u32string_view word) { return contains(lower, word); });
}

bool isDepartment(TextView name)
{
    name = trimBlanks(name);
    return splitWords(name).size() == 1 &&
           std::any_of(kDepartmentEnds.begin(), kDepartmentEnds.end(),
                       [&](std::u32string_view end) { return name.ends_with(end) && name.size() > end.size(); });
}

bool isProse(TextView line)
{
    for (const std::u32string_view mark :
         {U"。", U"!", U"?", U"お願い", U"ありがと", U"ください", U"下さい", U"いたします", U"します", U"ました",
          U"ません", U"お世話", U"よろしく", U"こんにちは"}) {
        if (contains(line, mark)) {
            return true;
        }
    }
    return line.ends_with(U"です") || line.ends_with(U"ます");
}

Text selfIntroducedName(TextView sentence)
{
    sentence = trimBlanks(sentence);
    // "です" only closes a sentence that is the name alone; the others may follow a place.
    for (const std::u32string_view closing : {U"と申します", U"といいます", U"でございます", U"です"}) {
        if (!sentence.ends_with(closing)) {
            continue;
        }
        TextView name = sentence.substr(0, sentence.size() - closing.size());
        const std::size_t before = name.find_last_of(U"の、, ");
        if (before != TextView::npos && closing == U"です") {
            return {};
        }
        name = before == TextView::npos ? name : name.substr(before + 1);
        const bool kanji = std::all_of(name.begin(), name.end(),
                                       [](char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || c == U'々'; });
        const bool notAName = name == U"以上" || name == U"注文" || name == U"追加" || name == U"私" || name == U"本人";
        return kanji && !notAName && !name.empty() && name.size() <= 3 ? Text(name) : Text();
    }
    return {};
}

bool isSameAsAbove(TextView line)
{
    line = trimBlanks(line);
    for (const std::u32string_view same :
         {U"同上", U"上記と同じ", U"上記に同じ", U"ご注文者と同じ", U"注文者と同じ", U"ご購入者と同じ", U"購入者と同じ",
          U"ご依頼主と同じ", U"ご注文者様と同じ", U"same as above", U"same as billing"}) {
        if (lowerAscii(line).starts_with(same)) {
            return true;
        }
    }
    return false;
}

bool isMailOrWeb(TextView line)
{
    const Text lower = lowerAscii(line);
    for (const std::u32string_view mark : {U"@", U"http", U"www.", U".com", U".co.jp", U".ne.jp", U".or.jp", U".jp/"}) {
        if (contains(lower, mark)) {
            return true;
        }
    }
    return false;
}

} // namespace smartimport
