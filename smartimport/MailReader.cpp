#include "smartimport/MailReader.h"

#include "smartimport/Address.h"
#include "smartimport/Names.h"
#include "smartimport/Numbers.h"
#include "smartimport/Places.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace smartimport {

bool Block::has(Field field) const
{
    return first(field) != nullptr;
}

const Item* Block::first(Field field) const
{
    const auto it = std::find_if(items.begin(), items.end(), [field](const Item& item) { return item.field == field; });
    return it == items.end() ? nullptr : &*it;
}

namespace {

bool isCountry(TextView text)
{
    const Text lower = lowerAscii(trimBlanks(text));
    return lower == U"japan" || lower == U"日本" || lower == U"日本国";
}

TextView withoutRoomWord(TextView text)
{
    text = trimBlanks(text);
    if (text.ends_with(U"号室")) {
        text.remove_suffix(2);
    } else if (text.ends_with(U"号")) {
        text.remove_suffix(1);
    }
    return text;
}

// A building named without a building word, its room number closing it ("…スクエア1101", "…ハイツ 1208").
bool isNamedRoom(TextView text)
{
    text = withoutRoomWord(text);
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[text.size() - 1 - digits])) {
        ++digits;
    }
    const TextView name = trimBlanks(text.substr(0, text.size() - digits));
    return digits > 0 && digits <= 5 && name.size() >= 2 && countDigits(name) == 0 && !hasMunicipality(name) &&
           !isAsciiLetter(name.front());
}

std::vector<TextView> sentencesOf(TextView text)
{
    std::vector<TextView> sentences;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(U'。', start);
        end = end == TextView::npos ? text.size() : end;
        if (const TextView sentence = trimBlanks(text.substr(start, end - start)); !sentence.empty()) {
            sentences.push_back(sentence);
        }
        start = end + 1;
    }
    return sentences;
}

bool isRoomNumber(TextView text)
{
    text = withoutRoomWord(text);
    return !text.empty() && text.size() <= 5 && countDigits(text) == text.size();
}

class Reader
{
public:
    explicit Reader(Mail& mail) : m_mail(mail) {}

    void line(TextView text)
    {
        const Label label = readLabel(text);
        if (label.separator) {
            if (m_section != Section::Other && !block().items.empty()) {
                m_section = Section::Other;
            }
            m_pending = Field::Unknown;
            return;
        }
        if (label.section != Section::None) {
            if (label.section == Section::Other) {
                if (label.heading) {
                    m_section = Section::Other;
                }
                return;
            }
            m_section = label.section;
            m_pending = Field::Unknown;
            if (label.heading) {
                return;
            }
        }
        if (m_section == Section::Other || label.field == Field::Ignored) {
            return;
        }
        Field field = label.field;
        if (label.value.empty()) {
            m_pending = field;
            return;
        }
        if (field == Field::Unknown) {
            field = std::exchange(m_pending, Field::Unknown);
        }
        m_pending = Field::Unknown;
        value(field, normaliseDigitDashes(label.value));
    }

private:
    Block& block()
    {
        return m_section == Section::Recipient ? m_mail.recipient
               : m_section == Section::Orderer ? m_mail.orderer
                                               : m_mail.unheaded;
    }

    void add(Field field, TextView text, bool labelled = false)
    {
        text = trimBlanks(text);
        if (!text.empty()) {
            block().items.push_back({field, Text(text), labelled});
        }
    }

    // "山田様方 鈴木花子様", "中央郵便局留 鈴木花子様": the care-of or the post office goes to the
    // address, the addressee after it is the name.
    void addName(TextView text, bool labelled)
    {
        if (const std::size_t end = careOfEnd(text); end != TextView::npos) {
            add(Field::Building, text.substr(0, end));
            add(Field::Name, text.substr(end), labelled);
            return;
        }
        add(hasCareOf(text) ? Field::Building : Field::Name, text, labelled);
    }

    // Takes the postal code and the telephone number out of a value and gives back the rest.
    Text takeNumbers(TextView text, bool zipLabelled)
    {
        Text rest(text);
        if (const auto zip = findPostalCode(rest, zipLabelled)) {
            add(Field::PostalCode, zip->value);
            rest.erase(zip->begin, zip->end - zip->begin);
        }
        const std::size_t marker = telephoneMarker(rest);
        if (const auto tel = marker != TextView::npos ? findTelephone(TextView(rest).substr(marker), true)
                                                      : unmarkedTelephone(rest)) {
            // A marked number was read from the marker on; the marker goes with it.
            const std::size_t offset = marker != TextView::npos ? marker : 0;
            const std::size_t from = marker != TextView::npos ? marker : tel->begin;
            std::size_t end = offset + tel->end;
            while (end < rest.size() && !isBlank(rest[end]) && rest[end] != U')') {
                ++end;
            }
            add(Field::Telephone, tel->value);
            rest.erase(from, end - from);
        }
        return Text(trimBlanks(rest));
    }

    // The first number standing as a word of its own in a line with other data.
    static std::optional<Found> unmarkedTelephone(TextView text)
    {
        const std::vector<TextView> words = splitWords(text);
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (!words[i].empty() &&
                (words[i].front() == U'0' || words[i].front() == U'+' || words[i].front() == U'(')) {
                const auto at = static_cast<std::size_t>(words[i].data() - text.data());
                if (auto tel = findTelephone(text.substr(at), false)) {
                    tel->begin += at;
                    tel->end += at;
                    return tel;
                }
            }
        }
        return std::nullopt;
    }

    static bool plausibleAddress(TextView text)
    {
        return prefectureAt(text) > 0 || hasMunicipality(text) || countDigits(text) > 0 || isRomajiPlace(text);
    }

    void value(Field field, const Text& text)
    {
        if (m_section == Section::Recipient && isSameAsAbove(text)) {
            m_mail.recipient.sameAsOrderer = true;
            return;
        }
        if (field == Field::Unknown) {
            if (const auto tel = findTelephone(text, false)) {
                add(Field::Telephone, tel->value);
                return;
            }
        }
        if (field == Field::Address && !plausibleAddress(text)) {
            field = Field::Unknown;
        }
        switch (field) {
        case Field::PostalCode:
        case Field::Address:
        case Field::Unknown:
            content(field, takeNumbers(text, field == Field::PostalCode));
            return;
        case Field::Telephone:
            if (const auto tel = findTelephone(text, true)) {
                add(Field::Telephone, tel->value);
            }
            return;
        case Field::Name:
            addName(text, true);
            return;
        default:
            add(field, text, true);
        }
    }

    // The address when nothing but numbers came after it.
    const Item* lastAddress()
    {
        const auto& items = block().items;
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if (it->field == Field::Address) {
                return &*it;
            }
            if (it->field != Field::PostalCode && it->field != Field::Telephone) {
                return nullptr;
            }
        }
        return nullptr;
    }

    bool lastIsIncompleteAddress()
    {
        const Item* address = lastAddress();
        return address != nullptr && !postal::hasStreetNumber(address->text);
    }

    // A room number joins a building named without one, never one that has it already.
    bool buildingHasNumber()
    {
        return std::any_of(block().items.begin(), block().items.end(), [](const Item& item) {
            return item.field == Field::Building && countDigits(item.text) > 0;
        });
    }

    void appendToAddress(TextView text)
    {
        for (auto it = block().items.rbegin(); it != block().items.rend(); ++it) {
            if (it->field == Field::Address) {
                it->text += Text(text);
                return;
            }
        }
    }

    // A value without a label (or with an address label), judged by what it holds. In a line of
    // prose, each sentence stands alone and only those that hold an address or a place count
    // ("…郵便局留めでお願いします。仙台中央郵便局留").
    void content(Field field, const Text& text)
    {
        if (!isProse(text)) {
            contentOf(field, text);
            return;
        }
        for (const TextView sentence : sentencesOf(text)) {
            if (!isProse(sentence) || prefectureAt(sentence) > 0 || postal::hasStreetNumber(sentence)) {
                contentOf(field, Text(sentence));
            } else if (const TextView hold = holdPlaceIn(sentence); !hold.empty()) {
                add(Field::Building, hold);
            } else if (const Text writer = selfIntroducedName(sentence); !writer.empty() && block().items.empty()) {
                add(Field::SelfNamed, writer);
            }
        }
    }

    void contentOf(Field field, const Text& text)
    {
        if (text.empty() || isMailOrWeb(text) || isCountry(text)) {
            return;
        }
        if (isRomaji(text) && romaji(text)) {
            return;
        }
        if (isHonorific(text)) {
            return; // "御中" under the company's line
        }
        const bool addressSeen = block().has(Field::Address) || block().has(Field::Street);
        if (lastIsIncompleteAddress() && postal::hasStreetNumber(text) && prefectureAt(text) == 0 &&
            !hasBuildingWord(text)) {
            appendToAddress(text);
            return;
        }
        // A line ending in an honorific names the addressee, even "物流センター 御中"; so does a
        // company's line, even when its department is a センター.
        const bool addressLine = prefectureAt(text) > 0 || postal::hasStreetNumber(text);
        const std::vector<TextView> words = splitWords(text);
        const bool companyLine = isCompany(text) && (!hasBuildingWord(text) || isDepartment(words.back()));
        if (!addressLine && (hasCareOf(text) || companyLine || (endsInHonorific(text) && countDigits(text) == 0))) {
            addName(text, false);
            return;
        }
        if (addressSeen && (hasBuildingWord(text) || (isRoomNumber(text) && !buildingHasNumber()))) {
            add(Field::Building, text);
            return;
        }
        if (lastAddress() != nullptr && isNamedRoom(text)) {
            add(Field::Building, text); // "博多シティスクエア1101" under the street
            return;
        }
        if (const Text prefecture = prefectureNamed(text); !prefecture.empty()) {
            add(Field::Prefecture, prefecture);
            return;
        }
        if (block().has(Field::Prefecture) && !addressSeen && !block().has(Field::City) && isMunicipality(text)) {
            add(Field::City, text); // the address written a part a line
            return;
        }
        if (reversedPlace(text)) {
            return;
        }
        if (field == Field::Address || prefectureAt(text) > 0 ||
            (hasMunicipality(text) && postal::hasStreetNumber(text)) ||
            (block().has(Field::Prefecture) && !addressSeen && postal::hasStreetNumber(text))) {
            add(Field::Address, text);
            return;
        }
        if (field == Field::Unknown && !isProse(text) && countDigits(text) == 0 && text.size() <= 40) {
            addName(text, false);
        }
    }

    // Addresses written in Latin letters: building lines come first, the street, the city and
    // the prefecture follow on lines of their own.
    bool romaji(TextView text)
    {
        if (hasBuildingWord(text) && !isRomajiPlace(text)) {
            add(Field::Building, text);
            return true;
        }
        if (!isRomajiPlace(text)) {
            return false;
        }
        for (auto it = block().items.rbegin(); it != block().items.rend(); ++it) {
            if (it->field == Field::Address && isRomaji(it->text)) {
                it->text += U" " + Text(text);
                return true;
            }
        }
        add(Field::Address, text);
        return true;
    }

    // "小金井市 東京都": city and prefecture in the order of foreign forms.
    bool reversedPlace(TextView text)
    {
        const std::vector<TextView> words = splitWords(text);
        if (words.size() < 2 || prefectureNamed(words.back()).empty() || !hasMunicipality(words.front())) {
            return false;
        }
        Text city;
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            city += Text(words[i]);
        }
        add(Field::Prefecture, prefectureNamed(words.back()));
        add(Field::City, city);
        return true;
    }

    Mail& m_mail;
    Section m_section = Section::None;
    Field m_pending = Field::Unknown;
};

} // namespace

Mail readMail(const std::vector<Text>& lines)
{
    Mail mail;
    Reader reader(mail);
    for (const Text& line : lines) {
        if (!line.empty()) {
            reader.line(line);
        }
    }
    return mail;
}

} // namespace smartimport
