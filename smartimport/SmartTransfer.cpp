#include "smartimport/SmartTransfer.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include "platform/Cp932.h"
#include "smartimport/Address.h"
#include "smartimport/MailLines.h"
#include "smartimport/MailReader.h"
#include "smartimport/Names.h"
#include "smartimport/Places.h"
#include "smartimport/RomajiAddress.h"
#include "smartimport/WideText.h"
#include "textimport/AddressWarning.h"
#include "textimport/LineText.h"

#include <utility>

namespace smartimport {

namespace {

// The block that holds the recipient: the recipient's own, the orderer's for "同上", else the
// first block that carries an address.
const Block& recipientBlock(const Mail& mail)
{
    if (mail.recipient.sameAsOrderer) {
        return mail.orderer;
    }
    if (!mail.recipient.items.empty()) {
        return mail.recipient;
    }
    for (const Block* block : {&mail.unheaded, &mail.orderer}) {
        if (block->has(Field::Address) || block->has(Field::PostalCode) || block->has(Field::Street)) {
            return *block;
        }
    }
    return mail.unheaded.items.empty() ? mail.orderer : mail.unheaded;
}

Text sevenDigits(TextView zip)
{
    Text digits;
    for (const char32_t c : zip) {
        if (isDigit(c)) {
            digits.push_back(c);
        }
    }
    return digits;
}

std::vector<PostalPlace> placesOf(TextView zip, const PostalLookup& lookup)
{
    return lookup && !zip.empty() ? lookup(utf8::encode(sevenDigits(zip))) : std::vector<PostalPlace>{};
}

// The first postal code, or the first one the directory knows when there are several.
Text postalCode(const Block& block, const PostalLookup& lookup)
{
    const Item* first = block.first(Field::PostalCode);
    if (first == nullptr) {
        return {};
    }
    for (const Item& item : block.items) {
        if (item.field == Field::PostalCode && !placesOf(item.text, lookup).empty()) {
            return item.text;
        }
    }
    return first->text;
}

Text joined(const Block& block, Field field)
{
    Text out;
    for (const Item& item : block.items) {
        if (item.field == field) {
            out += item.text;
        }
    }
    return out;
}

Text writtenAddress(const Block& block)
{
    const Item* address = block.first(Field::Address);
    Text text = address != nullptr ? address->text : joined(block, Field::Street);
    const Text city = joined(block, Field::City);
    if (!city.empty() && !TextView(text).starts_with(city) && prefectureAt(text) == 0) {
        text = city + text;
    }
    const Item* prefecture = block.first(Field::Prefecture);
    if (prefecture != nullptr && prefectureAt(text) == 0) {
        text = prefecture->text + text;
    }
    return text;
}

// The directory supplies a prefecture (and a city before a bare town) the mail left out.
Text withPrefecture(const Text& address, const std::vector<PostalPlace>& places)
{
    if (address.empty() || places.empty() || prefectureAt(address) > 0 || isRomaji(address)) {
        return address;
    }
    const Text prefecture = utf8::decode(places.front().prefecture);
    const Text city = utf8::decode(places.front().city);
    for (const PostalPlace& place : places) {
        if (utf8::decode(place.prefecture) != prefecture) {
            return address;
        }
    }
    const Text town = utf8::decode(places.front().town);
    const bool bareTown = !town.empty() && TextView(address).starts_with(town);
    return prefecture + (bareTown ? city : Text()) + address;
}

struct NameParts
{
    Text company;
    Text department;
    Text person;
    Text given;  // a Western form's first name
    Text family; // and its last name
};

void addName(NameParts& parts, const Text& raw, Field field)
{
    const Text name = cleanName(raw);
    if (name.empty()) {
        return;
    }
    if (field == Field::GivenName || field == Field::FamilyName) {
        Text& part = field == Field::GivenName ? parts.given : parts.family;
        part = part.empty() ? name : part;
        return;
    }
    // "株式会社なにわ物産 経理部" over the person's line: the company line keeps its department.
    Text& slot = field == Field::Company || (field == Field::Name && isCompany(name) && parts.company.empty())
                     ? parts.company
                 : field == Field::Department || (field == Field::Name && isDepartment(name) && !parts.company.empty())
                     ? parts.department
                     : parts.person;
    if (slot.empty()) {
        slot = name;
    }
}

Text joinWords(std::initializer_list<const Text*> parts)
{
    Text out;
    for (const Text* part : parts) {
        if (!part->empty()) {
            out += (out.empty() ? U"" : U" ") + *part;
        }
    }
    return out;
}

// A name written after the address on the same line ("…1-1-1 ビル4F 長谷川 光子 様", "…佐藤様方 鈴木 様").
Text splitTrailingName(Text& building)
{
    if (!endsInHonorific(building)) {
        return {};
    }
    std::size_t cut = 0;
    for (const TextView word : splitWords(building)) {
        const auto at = static_cast<std::size_t>(word.data() - building.data());
        if (countDigits(word) > 0 || hasBuildingWord(word)) {
            cut = at + word.size();
        } else if (const std::size_t end = careOfEnd(word); end != TextView::npos) {
            cut = at + end;
        }
    }
    Text name(trimBlanks(TextView(building).substr(cut)));
    if (name.empty()) {
        return {};
    }
    building = Text(trimBlanks(TextView(building).substr(0, cut)));
    return name;
}

// What follows a street number on the same line is a name when nothing marks it as a building.
bool isBareName(TextView text)
{
    return !text.empty() && countDigits(text) == 0 && !hasBuildingWord(text) && !hasCareOf(text);
}

// The postal code's towns, and where its city ends when the address starts with it.
postal::AddressHints hintsFor(TextView address, const std::vector<PostalPlace>& places)
{
    postal::AddressHints hints;
    for (const PostalPlace& place : places) {
        const Text city = utf8::decode(place.city);
        const Text withPrefecture = utf8::decode(place.prefecture) + city;
        if (!city.empty() && hints.placeLength == 0) {
            hints.placeLength = address.starts_with(withPrefecture) ? withPrefecture.size()
                                : address.starts_with(city)         ? city.size()
                                                                    : 0;
        }
        hints.towns.push_back(utf8::decode(place.town));
    }
    return hints;
}

struct Recipient
{
    Text zip, address1, address2, name, tel;
};

Recipient assemble(const Block& block, const PostalLookup& lookup)
{
    Recipient out;
    out.zip = postalCode(block, lookup);
    const std::vector<PostalPlace> places = placesOf(out.zip, lookup);
    const Text address = withPrefecture(writtenAddress(block), places);
    AddressParts parts =
        isRomaji(address) ? romajiAddress(address, places) : splitAddress(address, hintsFor(address, places));
    out.address1 = parts.street;
    Text inlineName = splitTrailingName(parts.building);
    if (inlineName.empty() && !block.has(Field::Name) && isBareName(parts.building)) {
        inlineName = std::exchange(parts.building, Text());
    }
    out.address2 = parts.building;
    for (const Item& item : block.items) {
        if (item.field == Field::Building) {
            out.address2 = joinWords({&out.address2, &item.text});
        }
    }
    // Labelled names first: an unlabelled line that only looks like a name must not win.
    NameParts name;
    for (const bool labelled : {true, false}) {
        for (const Item& item : block.items) {
            const bool isName = item.field == Field::Name || item.field == Field::Company ||
                                item.field == Field::Department || item.field == Field::GivenName ||
                                item.field == Field::FamilyName;
            if (isName && item.labelled == labelled) {
                addName(name, item.text, item.field);
            }
        }
    }
    if (!inlineName.empty()) {
        addName(name, inlineName, Field::Name);
    }
    if (name.person.empty()) {
        name.person = joinWords({&name.given, &name.family}); // first name first, as the form has it
    }
    out.name = joinWords({&name.company, &name.department, &name.person});
    if (const Item* writer = block.first(Field::SelfNamed); writer != nullptr && out.name.empty()) {
        out.name = writer->text; // "原田です" over an address nobody else is named at
    }
    if (const Item* tel = block.first(Field::Telephone)) {
        out.tel = tel->text;
    }
    return out;
}

// Blanks of both widths only ("　" is 0x81 0x40 in code page 932).
bool isBlankCp932(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 2, "\x81\x40") == 0) {
            ++i;
        } else if (static_cast<unsigned char>(line[i]) > 0x20) {
            return false;
        }
    }
    return true;
}

} // namespace

textimport::RecipientFields readRecipient(std::string_view utf8Mail, const PostalLookup& lookup)
{
    const Mail mail = readMail(mailLines(utf8Mail));
    const Recipient r = assemble(recipientBlock(mail), lookup);
    return {utf8::encode(r.zip), utf8::encode(r.address1), utf8::encode(r.address2), utf8::encode(r.name),
            utf8::encode(r.tel)};
}

SmartResult runSmartTransfer(std::string_view memoCp932, const textimport::RecipientFields& current,
                             const PostalLookup& lookup)
{
    SmartResult result;
    result.fields = current;
    for (const std::string& line : textimport::SplitLines(memoCp932)) {
        const std::string_view trimmed = textimport::Trim(line);
        if (!isBlankCp932(trimmed)) {
            result.memo.emplace_back(trimmed);
        }
    }
    if (result.memo.empty()) {
        result.message = "転送テキストがありません";
    } else {
        result.status = SmartStatus::Transferred;
        const textimport::RecipientFields utf8 = readRecipient(cp932::ToUtf8(memoCp932), lookup);
        result.fields = {cp932::FromUtf8(utf8.zip), cp932::FromUtf8(utf8.address1), cp932::FromUtf8(utf8.address2),
                         cp932::FromUtf8(utf8.name), cp932::FromUtf8(utf8.tel)};
    }
    result.warning = textimport::AddressLengthWarning(result.fields.address1);
    return result;
}

} // namespace smartimport
