#include "batch/AddressSplit.h"

#include "platform/Cp932.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include <array>
#include <optional>

namespace batch {
namespace {

bool isDigit(char32_t c)
{
    return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９');
}

// Characters of a street number: digits, dashes and the counters of 丁目, 番地 and 号.
bool isStreetNumberChar(char32_t c)
{
    switch (c) {
    case U'-':
    case U'－':
    case U'‐':
    case U'−':
    case U'ー':
    case U'―':
    case U'丁':
    case U'目':
    case U'番':
    case U'地':
    case U'号':
        return true;
    default:
        return isDigit(c);
    }
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'　';
}

// The points where a line over the form's length may be cut. Only the characters up to the
// first one that does not fit matter, and there are at most as many as the line has bytes:
// they are kept in place, not on the heap.
class SplitPoints
{
public:
    // For a text longer than a line.
    explicit SplitPoints(std::string_view text)
    {
        std::size_t bytes = 0;
        for (std::size_t offset = 0; offset < text.size() && m_count < m_codes.size();) {
            const utf8::Char c = utf8::charAt(text, offset);
            m_offsets[m_count] = c.offset;
            m_codes[m_count++] = c.code;
            offset += c.length;
            bytes += cp932::CharWidth(c.code);
            if (bytes > kAddressLineBytes) {
                break;
            }
            ++m_fits;
        }
    }

    // After the first street number: the end of the first run of its characters that holds a digit.
    std::optional<std::size_t> afterStreetNumber() const
    {
        bool digit = false;
        for (std::size_t i = 0; i < m_count; ++i) {
            if (isStreetNumberChar(m_codes[i])) {
                digit = digit || isDigit(m_codes[i]);
            } else if (digit) {
                return fitting(i);
            }
        }
        return std::nullopt;
    }

    std::optional<std::size_t> lastBlank() const
    {
        for (std::size_t i = m_fits + 1; i-- > 1;) {
            if (i < m_count && isBlank(m_codes[i])) {
                return i;
            }
        }
        return std::nullopt;
    }

    std::optional<std::size_t> fitting(std::size_t index) const
    {
        return index > 0 && index <= m_fits && index < m_count ? std::optional(index) : std::nullopt;
    }

    std::size_t lastFitting() const { return m_fits; }

    // Of a point that fits.
    std::size_t offset(std::size_t index) const { return m_offsets[index]; }

private:
    // Left unset: only the first m_count are read, and clearing them all cost more than the rest.
    std::array<char32_t, kAddressLineBytes + 1> m_codes;
    std::array<std::size_t, kAddressLineBytes + 1> m_offsets;
    std::size_t m_count = 0; // characters read: those that fit and the first that does not
    std::size_t m_fits = 0;
};

std::string joined(std::string_view a, std::string_view b)
{
    if (a.empty() || b.empty()) {
        return std::string(a.empty() ? b : a);
    }
    constexpr std::string_view kBlank = "　";
    std::string text;
    text.reserve(a.size() + kBlank.size() + b.size());
    return text.append(a).append(kBlank).append(b);
}

} // namespace

AddressLines SplitAddress(const AddressParts& parts)
{
    const std::string_view street = widthfold::trimBlanks(parts.street);
    std::string_view city = widthfold::trimBlanks(parts.city);
    std::string_view prefecture = widthfold::trimBlanks(parts.prefecture);
    std::string_view afterPrefecture = street;
    if (!prefecture.empty() && street.starts_with(prefecture)) {
        afterPrefecture.remove_prefix(prefecture.size());
        prefecture = {};
    }
    if (!city.empty() && afterPrefecture.starts_with(city)) {
        city = {};
    }
    if (!prefecture.empty() && city.starts_with(prefecture)) {
        prefecture = {};
    }
    std::string head;
    head.reserve(prefecture.size() + city.size() + street.size());
    head.append(prefecture).append(city).append(street);
    const std::string_view building = widthfold::trimBlanks(parts.building);
    if (cp932::ByteLength(head) <= kAddressLineBytes) {
        return {std::move(head), std::string(building)};
    }
    const SplitPoints points(head);
    const std::size_t cityEnd = utf8::length(prefecture) + utf8::length(city);
    std::size_t cut = points.lastFitting();
    if (const auto point = points.afterStreetNumber()) {
        cut = *point;
    } else if (const auto cityPoint = points.fitting(cityEnd)) {
        cut = *cityPoint;
    } else if (const auto blank = points.lastBlank()) {
        cut = *blank;
    }
    const std::string_view text(head);
    const std::size_t at = points.offset(cut);
    return {std::string(widthfold::trimBlanks(text.substr(0, at))),
            joined(widthfold::trimBlanks(text.substr(at)), building)};
}

} // namespace batch
