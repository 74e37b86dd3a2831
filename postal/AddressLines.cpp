#include "postal/AddressLines.h"

#include <algorithm>

#include "platform/Utf8.h"
#include "postal/AddressStyle.h"

namespace postal {

namespace {

using View = std::u32string_view;

// Characters after a number that make it part of a place name rather than the street number.
constexpr View kPlaceAfterNumber = U"町通条街坂線筋軒区丁";

bool isNumeral(char32_t c)
{
    return isAddressDigit(c) || isKanjiNumeral(c);
}

bool startsNumber(View text, std::size_t at)
{
    if (isAddressDigit(text[at])) {
        return true;
    }
    if (!isKanjiNumeral(text[at])) {
        return false;
    }
    std::size_t end = at;
    while (end < text.size() && isKanjiNumeral(text[end])) {
        ++end;
    }
    const View after = text.substr(end);
    return after.starts_with(U"丁目") || after.starts_with(U"番") || after.starts_with(U"号");
}

bool isUnitMark(View rest)
{
    const bool number = rest.starts_with(U"号") && !rest.starts_with(U"号室") && !rest.starts_with(U"号館") &&
                        !rest.starts_with(U"号棟");
    return number || rest.starts_with(U"番");
}

// The end of the street number starting at `at`.
std::size_t numberEnd(View text, std::size_t at)
{
    std::size_t i = at;
    while (i < text.size()) {
        // Most of a number is its digits: none of the marks below starts with one.
        if (isNumeral(text[i])) {
            ++i;
            continue;
        }
        const View rest = text.substr(i);
        const bool numberNext = rest.size() > 1 && isNumeral(rest[1]);
        const bool joinsNumbers = (isAddressDash(rest[0]) || rest[0] == U'の' || rest[0] == U'ノ') && numberNext;
        const bool blankAfterUnit = isAddressBlank(rest[0]) && numberNext && i > 0 &&
                                    (text[i - 1] == U'目' || text[i - 1] == U'番' || text[i - 1] == U'地');
        // "北瓦町2丁1-14": a 丁 with a number after it counts like 丁目.
        const bool blockMark = rest[0] == U'丁' && numberNext && i > at && isAddressDigit(text[i - 1]);
        if (rest.starts_with(U"丁目") || rest.starts_with(U"番地")) {
            i += 2;
        } else if (isNumeral(rest[0]) || isUnitMark(rest) || joinsNumbers || blankAfterUnit || blockMark) {
            ++i;
        } else {
            break;
        }
    }
    return i;
}

bool isPlaceName(View text, std::size_t end)
{
    return end < text.size() && kPlaceAfterNumber.find(text[end]) != View::npos;
}

char32_t narrowDigit(char32_t c)
{
    return c >= U'０' && c <= U'９' ? U'0' + (c - U'０') : c;
}

// The end of the longest of the code's towns written in the text, or 0.
std::size_t knownTownEnd(View text, const AddressHints& hints)
{
    if (hints.towns.empty()) {
        return 0;
    }
    std::u32string narrow(text);
    for (char32_t& c : narrow) {
        c = narrowDigit(c);
    }
    std::size_t end = 0;
    for (std::u32string town : hints.towns) {
        for (char32_t& c : town) {
            c = narrowDigit(c);
        }
        const std::size_t at = town.empty() ? View::npos : narrow.find(town, hints.placeLength);
        if (at != View::npos) {
            end = std::max(end, at + town.size());
        }
    }
    return end;
}

// The street number's span, or {npos, npos}.
std::pair<std::size_t, std::size_t> streetNumber(View text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (!startsNumber(text, i)) {
            continue;
        }
        const std::size_t end = numberEnd(text, i);
        if (isPlaceName(text, end)) {
            i = end;
            continue;
        }
        return {i, end};
    }
    return {View::npos, View::npos};
}

std::size_t bytesOf(View text)
{
    std::size_t bytes = 0;
    for (const char32_t c : text) {
        bytes += cp932Width(c);
    }
    return bytes;
}

bool isSeparator(char32_t c)
{
    return isAddressBlank(c) || c == U',' || c == U'、' || c == U'，';
}

std::size_t skipSeparators(View text, std::size_t at)
{
    while (at < text.size() && isSeparator(text[at])) {
        ++at;
    }
    return at;
}

// The character index where the text passes 40 bytes, and the last blank before it.
std::pair<std::size_t, std::size_t> fittingLength(View text)
{
    std::size_t fits = 0;
    std::size_t blank = 0;
    for (std::size_t bytes = 0; fits < text.size(); ++fits) {
        bytes += cp932Width(text[fits]);
        if (bytes > kAddressLineBytes) {
            break;
        }
        blank = fits > 0 && isAddressBlank(text[fits]) ? fits : blank;
    }
    return {fits, blank};
}

// The natural point within 40 bytes where an over-long line 1 ends, or 0 when there is none.
std::size_t naturalCut(View text, const AddressHints& hints)
{
    // The hint counts the caller's characters; malformed bytes may make the text shorter.
    const std::size_t place = std::min(hints.placeLength, text.size());
    const std::size_t direction = streetDirectionEnd(text.substr(place)) + place;
    if (direction > place && bytesOf(text.substr(0, direction)) <= kAddressLineBytes) {
        return direction;
    }
    if (place > 0 && bytesOf(text.substr(0, place)) <= kAddressLineBytes) {
        return place;
    }
    return fittingLength(text).second;
}

// A UTF-8 text and its code points. A part of the code points is given back as the stretch of
// the text it came from rather than encoded again, unless the text had malformed bytes, which
// read as U+FFFD.
class DecodedText
{
public:
    explicit DecodedText(std::string_view text)
        : m_text(text), m_wide(toUtf32(text)), m_wellFormed(m_wide.find(U'\uFFFD') == std::u32string::npos)
    {}

    View wide() const { return m_wide; }

    std::string utf8Of(View part) const
    {
        if (!m_wellFormed) {
            return toUtf8(part);
        }
        if (part.empty()) {
            return {};
        }
        // Measured from the nearer end: line 2 mostly runs to the end of the text.
        const auto at = static_cast<std::size_t>(part.data() - m_wide.data());
        const View before = View(m_wide).substr(0, at);
        const View after = View(m_wide).substr(at + part.size());
        const std::size_t length = utf8::encodedLength(part);
        const std::size_t begin = before.size() <= after.size() ? utf8::encodedLength(before)
                                                                : m_text.size() - utf8::encodedLength(after) - length;
        return std::string(m_text.substr(begin, length));
    }

private:
    std::string_view m_text;
    std::u32string m_wide;
    bool m_wellFormed;
};

View trimmed(View text)
{
    while (!text.empty() && (isAddressBlank(text.front()) || text.front() < 0x20)) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (isAddressBlank(text.back()) || text.back() < 0x20)) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

AddressCut cutAddress(View text, const AddressHints& hints)
{
    AddressCut cut{text.size(), text.size(), false};
    const std::size_t place = std::min(hints.placeLength, text.size());
    const auto [begin, end] = streetNumber(text, std::max(place, knownTownEnd(text, hints)));
    if (begin != View::npos) {
        cut = {end, skipSeparators(text, end), true};
        // "…1-2-3-405号室": the last group is the room.
        if (text.substr(end).starts_with(U"号室")) {
            const std::size_t dash = text.substr(0, end).find_last_of(U'-');
            if (dash != View::npos && dash > begin) {
                cut = {dash, dash + 1, true};
            }
        }
    }
    if (bytesOf(text.substr(0, cut.line1End)) > kAddressLineBytes) {
        if (const std::size_t at = naturalCut(text, hints); at > 0) {
            cut = {at, skipSeparators(text, at), false};
        }
    }
    return cut;
}

bool hasStreetNumber(View text)
{
    return streetNumber(text, 0).first != View::npos;
}

AddressLines splitAddress(std::string_view text, std::string_view building, const AddressHints& hints)
{
    const DecodedText address(text);
    const View whole = trimmed(address.wide());
    AddressCut cut = cutAddress(whole, hints);
    if (bytesOf(whole.substr(0, cut.line1End)) > kAddressLineBytes) {
        cut.line1End = cut.line2Begin = fittingLength(whole).first;
    }
    const View rest = trimmed(whole.substr(cut.line2Begin));
    const DecodedText apart(building);
    const View kept = trimmed(apart.wide());
    std::string line2 = address.utf8Of(rest);
    if (!rest.empty() && !kept.empty()) {
        line2 += "　";
    }
    line2 += apart.utf8Of(kept);
    return {address.utf8Of(trimmed(whole.substr(0, cut.line1End))), line2};
}

} // namespace postal
