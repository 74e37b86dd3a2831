#include "smartimport/Labels.h"

#include <algorithm>
#include <array>

namespace smartimport {

namespace {

struct Word
{
    std::u32string_view text;
    Section section;
    Field field;
};

constexpr Section S = Section::None;

// Longest spellings first wherever one begins another.
constexpr std::array kHeadings = {
    Word{U"請求書送付先", Section::Recipient, Field::Unknown},
    Word{U"shipping address", Section::Recipient, Field::Unknown},
    Word{U"delivery address", Section::Recipient, Field::Unknown},
    Word{U"deliver to", Section::Recipient, Field::Unknown},
    Word{U"ship to", Section::Recipient, Field::Unknown},
    Word{U"recipient", Section::Recipient, Field::Unknown},
    Word{U"お受け取り人", Section::Recipient, Field::Unknown},
    Word{U"受け取り人", Section::Recipient, Field::Unknown},
    Word{U"オトドケサキ", Section::Recipient, Field::Unknown},
    Word{U"お受取人", Section::Recipient, Field::Unknown},
    Word{U"お届け先", Section::Recipient, Field::Unknown},
    Word{U"ご送付先", Section::Recipient, Field::Unknown},
    Word{U"お送り先", Section::Recipient, Field::Unknown},
    Word{U"お届先", Section::Recipient, Field::Unknown},
    Word{U"届け先", Section::Recipient, Field::Unknown},
    Word{U"送付先", Section::Recipient, Field::Unknown},
    Word{U"配送先", Section::Recipient, Field::Unknown},
    Word{U"配達先", Section::Recipient, Field::Unknown},
    Word{U"送り先", Section::Recipient, Field::Unknown},
    Word{U"発送先", Section::Recipient, Field::Unknown},
    Word{U"受取人", Section::Recipient, Field::Unknown},
    Word{U"納品先", Section::Recipient, Field::Unknown},
    Word{U"届先", Section::Recipient, Field::Unknown},
    Word{U"宛先", Section::Recipient, Field::Unknown},
    Word{U"customer information", Section::Orderer, Field::Unknown},
    Word{U"billing address", Section::Orderer, Field::Unknown},
    Word{U"bill to", Section::Orderer, Field::Unknown},
    Word{U"sender", Section::Orderer, Field::Unknown},
    Word{U"ゴチュウモンシャ", Section::Orderer, Field::Unknown},
    Word{U"お客様情報", Section::Orderer, Field::Unknown},
    Word{U"ご注文者", Section::Orderer, Field::Unknown},
    Word{U"ご購入者", Section::Orderer, Field::Unknown},
    Word{U"ご依頼主", Section::Orderer, Field::Unknown},
    Word{U"ご依頼人", Section::Orderer, Field::Unknown},
    Word{U"ご請求先", Section::Orderer, Field::Unknown},
    Word{U"注文者", Section::Orderer, Field::Unknown},
    Word{U"購入者", Section::Orderer, Field::Unknown},
    Word{U"依頼主", Section::Orderer, Field::Unknown},
    Word{U"依頼人", Section::Orderer, Field::Unknown},
    Word{U"請求先", Section::Orderer, Field::Unknown},
    Word{U"贈り主", Section::Orderer, Field::Unknown},
    Word{U"送り主", Section::Orderer, Field::Unknown},
    Word{U"差出人", Section::Orderer, Field::Unknown},
    Word{U"発送元", Section::Orderer, Field::Unknown},
    Word{U"発送者", Section::Orderer, Field::Unknown},
    Word{U"shipping method", Section::Other, Field::Unknown},
    Word{U"payment", Section::Other, Field::Unknown},
    Word{U"subtotal", Section::Other, Field::Unknown},
    Word{U"order", Section::Other, Field::Unknown},
    Word{U"total", Section::Other, Field::Unknown},
    Word{U"items", Section::Other, Field::Unknown},
    Word{U"note", Section::Other, Field::Unknown},
    Word{U"お届け希望日", Section::Other, Field::Unknown},
    Word{U"お届け日時", Section::Other, Field::Unknown},
    Word{U"お届け方法", Section::Other, Field::Unknown},
    Word{U"配送オプション", Section::Other, Field::Unknown},
    Word{U"お届け日", Section::Other, Field::Unknown},
    Word{U"ご注文番号", Section::Other, Field::Unknown},
    Word{U"ご注文日時", Section::Other, Field::Unknown},
    Word{U"ご注文内容", Section::Other, Field::Unknown},
    Word{U"ご注文商品", Section::Other, Field::Unknown},
    Word{U"オーダー番号", Section::Other, Field::Unknown},
    Word{U"ご注文日", Section::Other, Field::Unknown},
    Word{U"注文番号", Section::Other, Field::Unknown},
    Word{U"受注番号", Section::Other, Field::Unknown},
    Word{U"注文日時", Section::Other, Field::Unknown},
    Word{U"注文内容", Section::Other, Field::Unknown},
    Word{U"注文商品", Section::Other, Field::Unknown},
    Word{U"購入商品", Section::Other, Field::Unknown},
    Word{U"お支払い", Section::Other, Field::Unknown},
    Word{U"支払方法", Section::Other, Field::Unknown},
    Word{U"お支払", Section::Other, Field::Unknown},
    Word{U"配達希望", Section::Other, Field::Unknown},
    Word{U"配送希望", Section::Other, Field::Unknown},
    Word{U"配送方法", Section::Other, Field::Unknown},
    Word{U"配送業者", Section::Other, Field::Unknown},
    Word{U"連絡事項", Section::Other, Field::Unknown},
    Word{U"ラッピング", Section::Other, Field::Unknown},
    Word{U"メッセージ", Section::Other, Field::Unknown},
    Word{U"注文日", Section::Other, Field::Unknown},
    Word{U"配達日", Section::Other, Field::Unknown},
    Word{U"支払", Section::Other, Field::Unknown},
    Word{U"決済", Section::Other, Field::Unknown},
    Word{U"商品", Section::Other, Field::Unknown},
    Word{U"備考", Section::Other, Field::Unknown},
    Word{U"ご要望", Section::Other, Field::Unknown},
    Word{U"合計", Section::Other, Field::Unknown},
    Word{U"小計", Section::Other, Field::Unknown},
    Word{U"送料", Section::Other, Field::Unknown},
    Word{U"手数料", Section::Other, Field::Unknown},
    Word{U"数量", Section::Other, Field::Unknown},
    Word{U"金額", Section::Other, Field::Unknown},
    Word{U"日時", Section::Other, Field::Unknown},
    Word{U"のし", Section::Other, Field::Unknown},
};

constexpr std::array kFields = {
    Word{U"ゆうびんばんごう", S, Field::PostalCode},
    Word{U"ユウビンバンゴウ", S, Field::PostalCode},
    Word{U"postal code", S, Field::PostalCode},
    Word{U"post code", S, Field::PostalCode},
    Word{U"zip code", S, Field::PostalCode},
    Word{U"postcode", S, Field::PostalCode},
    Word{U"zipcode", S, Field::PostalCode},
    Word{U"郵便番号", S, Field::PostalCode},
    Word{U"〒番号", S, Field::PostalCode},
    Word{U"zip", S, Field::PostalCode},
    Word{U"郵便", S, Field::PostalCode},
    Word{U"〒", S, Field::PostalCode},
    Word{U"apartment, suite, etc.", S, Field::Building},
    Word{U"address line 2", S, Field::Building},
    Word{U"address line 1", S, Field::Address},
    Word{U"address2", S, Field::Building},
    Word{U"address 2", S, Field::Building},
    Word{U"address1", S, Field::Address},
    Word{U"address", S, Field::Address},
    Word{U"住所2", S, Field::Building},
    Word{U"住所1", S, Field::Address},
    Word{U"じゅうしょ", S, Field::Address},
    Word{U"ジュウショ", S, Field::Address},
    Word{U"おところ", S, Field::Address},
    Word{U"ご住所", S, Field::Address},
    Word{U"所在地", S, Field::Address},
    Word{U"住所", S, Field::Address},
    Word{U"都道府県", S, Field::Prefecture},
    Word{U"市区町村", S, Field::City},
    Word{U"市町村", S, Field::City},
    Word{U"市区郡", S, Field::City},
    Word{U"町名・番地", S, Field::Street},
    Word{U"丁目・番地", S, Field::Street},
    Word{U"町名番地", S, Field::Street},
    Word{U"丁目番地", S, Field::Street},
    Word{U"番地", S, Field::Street},
    Word{U"建物名・部屋番号", S, Field::Building},
    Word{U"建物名など", S, Field::Building},
    Word{U"建物・部屋番号", S, Field::Building},
    Word{U"マンション名", S, Field::Building},
    Word{U"アパート名", S, Field::Building},
    Word{U"部屋番号", S, Field::Building},
    Word{U"apartment", S, Field::Building},
    Word{U"building", S, Field::Building},
    Word{U"建物名", S, Field::Building},
    Word{U"ビル名", S, Field::Building},
    Word{U"建物", S, Field::Building},
    Word{U"ふりがな", S, Field::Ignored},
    Word{U"フリガナ", S, Field::Ignored},
    Word{U"カナ", S, Field::Ignored},
    Word{U"かな", S, Field::Ignored},
    Word{U"kana", S, Field::Ignored},
    Word{U"first name", S, Field::GivenName},
    Word{U"given name", S, Field::GivenName},
    Word{U"last name", S, Field::FamilyName},
    Word{U"family name", S, Field::FamilyName},
    Word{U"surname", S, Field::FamilyName},
    Word{U"full name", S, Field::Name},
    Word{U"name", S, Field::Name},
    Word{U"おなまえ", S, Field::Name},
    Word{U"オナマエ", S, Field::Name},
    Word{U"受取人名", S, Field::Name},
    Word{U"ご担当者名", S, Field::Name},
    Word{U"ご担当者", S, Field::Name},
    Word{U"担当者名", S, Field::Name},
    Word{U"お名前", S, Field::Name},
    Word{U"御名前", S, Field::Name},
    Word{U"ご氏名", S, Field::Name},
    Word{U"御氏名", S, Field::Name},
    Word{U"担当者", S, Field::Name},
    Word{U"ご芳名", S, Field::Name},
    Word{U"名前", S, Field::Name},
    Word{U"氏名", S, Field::Name},
    Word{U"宛名", S, Field::Name},
    Word{U"担当", S, Field::Name},
    Word{U"company", S, Field::Company},
    Word{U"会社名", S, Field::Company},
    Word{U"法人名", S, Field::Company},
    Word{U"貴社名", S, Field::Company},
    Word{U"御社名", S, Field::Company},
    Word{U"団体名", S, Field::Company},
    Word{U"医療機関名", S, Field::Company},
    Word{U"施設名", S, Field::Company},
    Word{U"学校名", S, Field::Company},
    Word{U"病院名", S, Field::Company},
    Word{U"屋号", S, Field::Company},
    Word{U"department", S, Field::Department},
    Word{U"部署名", S, Field::Department},
    Word{U"部署", S, Field::Department},
    Word{U"所属", S, Field::Department},
    Word{U"診療科", S, Field::Department},
    Word{U"学年・組", S, Field::Department},
    Word{U"学年組", S, Field::Department},
    Word{U"telephone", S, Field::Telephone},
    Word{U"phone number", S, Field::Telephone},
    Word{U"phone", S, Field::Telephone},
    Word{U"mobile", S, Field::Telephone},
    Word{U"tel/fax", S, Field::Telephone},
    Word{U"電話/fax", S, Field::Telephone},
    Word{U"tel", S, Field::Telephone},
    Word{U"℡", S, Field::Telephone},
    Word{U"日中の連絡先", S, Field::Telephone},
    Word{U"連絡先電話番号", S, Field::Telephone},
    Word{U"携帯電話番号", S, Field::Telephone},
    Word{U"日中連絡先", S, Field::Telephone},
    Word{U"緊急連絡先", S, Field::Telephone},
    Word{U"お電話番号", S, Field::Telephone},
    Word{U"携帯電話", S, Field::Telephone},
    Word{U"携帯番号", S, Field::Telephone},
    Word{U"電話番号", S, Field::Telephone},
    Word{U"おでんわ", S, Field::Telephone},
    Word{U"連絡先", S, Field::Telephone},
    Word{U"お電話", S, Field::Telephone},
    Word{U"でんわ", S, Field::Telephone},
    Word{U"デンワ", S, Field::Telephone},
    Word{U"携帯", S, Field::Telephone},
    Word{U"電話", S, Field::Telephone},
    Word{U"自宅", S, Field::Telephone},
    Word{U"勤務先", S, Field::Telephone},
    Word{U"fax", S, Field::Ignored},
    Word{U"ファックス", S, Field::Ignored},
    Word{U"メールアドレス", S, Field::Ignored},
    Word{U"e-mail", S, Field::Ignored},
    Word{U"email", S, Field::Ignored},
    Word{U"mail", S, Field::Ignored},
    Word{U"メール", S, Field::Ignored},
    Word{U"url", S, Field::Ignored},
};

constexpr std::u32string_view kOpeners = U"【[■□◆◇●○★☆<《〈『「(・*▼▽▲△→▶♪#=_~+ ";
constexpr std::u32string_view kClosers = U"】]>》〉』」):=/.";
constexpr std::u32string_view kRules = U"-=_*~━─―ー-＝・.";

bool isAsciiWord(std::u32string_view word)
{
    return std::all_of(word.begin(), word.end(), [](char32_t c) { return c < 0x80; });
}

// Matches a word at the start of `text`, ignoring ASCII case and blanks inside the word
// ("お　名　前"); returns the length consumed, or 0.
std::size_t matchWord(TextView text, std::u32string_view word)
{
    std::size_t at = 0;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (k > 0 && word[k] != U' ') {
            while (at < text.size() && isBlank(text[at])) {
                ++at;
            }
        }
        if (at >= text.size()) {
            return 0;
        }
        char32_t c = text[at];
        if (c >= U'A' && c <= U'Z') {
            c += U'a' - U'A';
        }
        if (c != word[k]) {
            return 0;
        }
        ++at;
    }
    if (isAsciiWord(word) && at < text.size() && isAsciiLetter(text[at])) {
        return 0;
    }
    return at;
}

template <typename Table> const Word* findWord(TextView text, const Table& table, std::size_t& length)
{
    for (const Word& word : table) {
        if ((length = matchWord(text, word.text)) != 0) {
            return &word;
        }
    }
    return nullptr;
}

bool isCloser(char32_t c)
{
    return isBlank(c) || kClosers.find(c) != TextView::npos;
}

TextView skipClosers(TextView text)
{
    while (!text.empty() && isCloser(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// A bracketed note after a label: a kana reading turns the field into one to ignore.
TextView skipQualifier(TextView text, Field& field)
{
    if (text.empty() || (text.front() != U'(' && text.front() != U'[')) {
        return text;
    }
    const std::size_t close = text.find_first_of(U")]");
    if (close == TextView::npos) {
        return text;
    }
    const TextView inside = text.substr(1, close - 1);
    if (countDigits(inside) > 0) {
        return text; // "(03)1234-5678": the bracket belongs to the value
    }
    for (const std::u32string_view kana : {U"フリガナ", U"ふりがな", U"カナ", U"かな", U"読み"}) {
        if (contains(inside, kana)) {
            field = Field::Ignored;
        }
    }
    return text.substr(close + 1);
}

bool isRule(TextView line)
{
    return line.size() >= 3 && std::all_of(line.begin(), line.end(),
                                           [](char32_t c) { return kRules.find(c) != TextView::npos || isBlank(c); });
}

// What may follow a heading word and still leave it a heading ("お届け先の", "送付先様", "送り先は").
constexpr std::u32string_view kHeadingTails = U"の様情ご名は";
constexpr std::u32string_view kParticles = U"の様ごは";

// "ご請求先・お届け先": headings joined by "・" open one block, the recipient's when either is.
Section joinedHeading(TextView& after, Section section)
{
    std::size_t length = 0;
    if (!after.starts_with(U"・")) {
        return section;
    }
    const Word* next = findWord(after.substr(1), kHeadings, length);
    if (next == nullptr || next->section == Section::Other) {
        return section;
    }
    after.remove_prefix(1 + length);
    return next->section == Section::Recipient ? next->section : section;
}

// "結婚祝いのお届け先：", "注文品の送り先は": a heading that closes its line opens the block below.
Section trailingHeading(TextView line)
{
    while (!line.empty() && (isCloser(line.back()) || line.back() == U'は')) {
        line.remove_suffix(1);
    }
    for (const Word& word : kHeadings) {
        if (word.section != Section::Other && !isAsciiWord(word.text) && line.ends_with(word.text)) {
            return word.section;
        }
    }
    return Section::None;
}

} // namespace

Label readLabel(TextView line)
{
    Label label;
    label.value = line;
    if (isRule(line)) {
        label.separator = true;
        return label;
    }
    TextView rest = line;
    while (!rest.empty() && kOpeners.find(rest.front()) != TextView::npos) {
        rest.remove_prefix(1);
    }
    std::size_t length = 0;
    if (const Word* heading = findWord(rest, kHeadings, length)) {
        TextView after = rest.substr(length);
        const Section section = joinedHeading(after, heading->section);
        if (section == Section::Other || after.empty() || isCloser(after.front()) ||
            kHeadingTails.find(after.front()) != TextView::npos || findWord(after, kFields, length) != nullptr) {
            label.section = section;
            rest = after;
            while (!rest.empty() && kParticles.find(rest.front()) != TextView::npos) {
                rest.remove_prefix(1);
            }
            if (rest.starts_with(U"情報")) {
                rest.remove_prefix(2);
            }
            if (rest.starts_with(U"名") || rest.starts_with(U"氏名")) {
                label.field = Field::Name;
                rest.remove_prefix(rest.starts_with(U"名") ? 1 : 2);
            }
        }
    }
    if (label.field == Field::Unknown) {
        if (const Word* field = findWord(rest, kFields, length)) {
            TextView after = rest.substr(length);
            const bool said = after.starts_with(U"は") && length > 1;
            if (said) {
                after.remove_prefix(1); // "お電話は090-…", "名前は佐藤 恵子": said rather than written
            }
            const bool glued =
                field->field == Field::PostalCode || field->field == Field::Address || field->field == Field::Telephone;
            const bool digitNext = !after.empty() && (isDigit(after.front()) || after.front() == U'+');
            if (after.empty() || said || isCloser(after.front()) || after.front() == U'(' || after.front() == U'[' ||
                (glued && (digitNext || field->field != Field::Telephone))) {
                label.field = field->field;
                rest = after;
            }
        }
    }
    if (label.section == Section::None && label.field == Field::Unknown) {
        label.section = trailingHeading(line);
        label.heading = label.section != Section::None;
        label.value = label.heading ? TextView() : line;
        return label;
    }
    rest = skipQualifier(skipClosers(rest), label.field);
    label.value = trimBlanks(skipClosers(rest));
    label.heading = label.field == Field::Unknown && label.value.empty();
    return label;
}

bool opensPart(TextView text)
{
    while (!text.empty() && kOpeners.find(text.front()) != TextView::npos && !isBlank(text.front())) {
        text.remove_prefix(1);
    }
    std::size_t length = 0;
    if (const Word* heading = findWord(text, kHeadings, length); heading != nullptr) {
        const TextView after = text.substr(length);
        return heading->section != Section::Other &&
               (after.empty() || isCloser(after.front()) || kHeadingTails.find(after.front()) != TextView::npos);
    }
    const Word* field = findWord(text, kFields, length);
    if (field == nullptr) {
        return false;
    }
    TextView after = text.substr(length);
    if (after.starts_with(U":")) {
        return true; // "…郵便局留　お名前：石川 愛": a written label starts its own field
    }
    if (field->field != Field::PostalCode && field->field != Field::Telephone) {
        return false;
    }
    while (!after.empty() && (isCloser(after.front()) || after.front() == U'は' || after.front() == U'〒')) {
        after.remove_prefix(1);
    }
    return !after.empty() && (isDigit(after.front()) || after.front() == U'+' || after.front() == U'(');
}

std::size_t spokenLabel(TextView text)
{
    std::size_t length = 0;
    const Word* field = findWord(text, kFields, length);
    if (field == nullptr || length < 2 || length >= text.size() || text[length] != U'は') {
        return 0;
    }
    const Field f = field->field;
    const bool recipientField =
        f == Field::PostalCode || f == Field::Address || f == Field::Name || f == Field::Telephone;
    return recipientField ? length + 1 : 0;
}

} // namespace smartimport
