#include "postal/AddressAgreement.h"

#include "platform/Utf8.h"
#include "postal/AddressStyle.h"
#include "postal/PostalCode.h"
#include "postal/PostalDirectory.h"

#include <algorithm>
#include <vector>

namespace postal {

namespace {

constexpr std::size_t kShownPlaces = 3;

// The address as compared: without blanks, and with one form of the letters that place names
// write both small and large.
std::u32string comparable(std::string_view utf8)
{
    std::u32string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = 0;
        if (!utf8::next(utf8, pos, c)) {
            ++pos;
            continue;
        }
        if (c == U' ' || c == U'\t' || c == U'\u3000') {
            continue;
        }
        out.push_back(c == U'ヶ' ? U'ケ' : c == U'ヵ' ? U'カ' : c);
    }
    return out;
}

// The town, when the address names one after the city: a Kyoto street direction may stand
// before it, 大字 or 字 may be written or not, and the address may go on straight to the number.
bool townFits(std::u32string_view rest, const std::u32string& town)
{
    if (town.empty()) {
        return true;
    }
    const std::u32string listed = comparablePlace(town);
    // The direction is tried off and on: some towns hold its words ("大野見下ル川").
    for (const std::u32string_view from : {rest.substr(streetDirectionEnd(rest)), rest}) {
        const std::u32string written = comparablePlace(from);
        // A first line may also stop inside a town that holds a number ("象潟町５丁目塩越").
        if (written.empty() || isAddressDigit(written.front()) || written.starts_with(listed) ||
            listed.starts_with(written)) {
            return true;
        }
    }
    return false;
}

// The prefecture may be left out, and so may the district (郡) of a town or village.
bool fits(const std::u32string& address, const PostalEntry& entry)
{
    const std::u32string prefecture = comparable(entry.prefecture);
    std::vector<std::u32string> cities{comparable(entry.city)};
    const std::size_t district = cities.front().find(U'郡');
    if (district != std::u32string::npos && district > 0 && district + 1 < cities.front().size()) {
        cities.push_back(cities.front().substr(district + 1));
    }
    const std::u32string town = comparable(entry.town);
    return std::any_of(cities.begin(), cities.end(), [&](const std::u32string& city) {
        for (const std::u32string& place : {prefecture + city, city}) {
            if (address.starts_with(place) && townFits(std::u32string_view(address).substr(place.size()), town)) {
                return true;
            }
        }
        return false;
    });
}

std::string placesOf(const std::string& zip, const std::vector<PostalEntry>& entries)
{
    std::vector<std::string> places;
    for (const PostalEntry& entry : entries) {
        const std::string place = addressOf(entry);
        if (std::find(places.begin(), places.end(), place) == places.end()) {
            places.push_back(place);
        }
    }
    std::string out = "〒" + zip + " は";
    for (std::size_t i = 0; i < places.size() && i < kShownPlaces; ++i) {
        out += (i == 0 ? "" : "、") + places[i];
    }
    return places.size() > kShownPlaces ? out + "など" : out;
}

} // namespace

std::string addressOf(const PostalEntry& entry)
{
    return entry.prefecture + entry.city + entry.town;
}

AgreementResult checkAgreement(const PostalDirectory& directory, std::string_view zip, std::string_view address1Utf8)
{
    const std::optional<std::string> code = normaliseCode(zip);
    if (!code) {
        return {Agreement::NotACode, {}};
    }
    const std::vector<PostalEntry> entries = directory.find(*code);
    if (entries.empty()) {
        return {Agreement::UnknownCode, "この郵便番号は見つかりません"};
    }
    const std::u32string address = comparable(address1Utf8);
    if (address.empty() ||
        std::any_of(entries.begin(), entries.end(), [&](const PostalEntry& e) { return fits(address, e); })) {
        return {Agreement::Agrees, {}};
    }
    return {Agreement::Disagrees, "郵便番号と住所が一致しません（" + placesOf(formatCode(*code), entries) + "）"};
}

} // namespace postal
