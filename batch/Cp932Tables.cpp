#include "batch/Cp932Tables.h"

#include "batch/Utf8Chars.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace batch {
namespace {

constexpr std::string_view kReplacementUtf8 = "〓";

bool isTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

struct Utf8Form
{
    std::array<char, 4> bytes{};
    std::uint8_t length = 0;
};

class Tables
{
public:
    Tables() : m_pairs(0x10000), m_encodable(0x10000, 0)
    {
        m_replacement.length = static_cast<std::uint8_t>(kReplacementUtf8.size());
        std::copy(kReplacementUtf8.begin(), kReplacementUtf8.end(), m_replacement.bytes.begin());
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            m_leads[lead] = cp932::IsLeadByte(static_cast<unsigned char>(lead));
            if (!m_leads[lead]) {
                m_singles[lead] = remember(std::string(1, static_cast<char>(lead)));
                continue;
            }
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (isTrailByte(static_cast<unsigned char>(trail))) {
                    m_pairs[lead << 8 | trail] = remember({static_cast<char>(lead), static_cast<char>(trail)});
                }
            }
        }
    }

    bool isLead(unsigned char byte) const { return m_leads[byte]; }
    const Utf8Form& single(unsigned char byte) const { return m_singles[byte]; }
    const Utf8Form& pair(unsigned char lead, unsigned char trail) const { return m_pairs[lead << 8 | trail]; }

    bool encodable(char32_t code) const { return code < m_encodable.size() && m_encodable[code] != 0; }

    // For a lead byte without a trail byte.
    const Utf8Form& replacement() const { return m_replacement; }

private:
    Utf8Form remember(const std::string& bytes)
    {
        const std::string utf8 = cp932::ToUtf8(bytes);
        Utf8Form form;
        form.length = static_cast<std::uint8_t>(utf8.size() <= 4 ? utf8.size() : 0);
        std::copy(utf8.begin(), utf8.begin() + form.length, form.bytes.begin());
        if (bytes != cp932::kReplacement && utf8 == "〓") {
            return form;
        }
        for (const Utf8Char& c : SplitUtf8(utf8)) {
            if (c.code < m_encodable.size()) {
                m_encodable[c.code] = 1;
            }
        }
        return form;
    }

    Utf8Form m_replacement;
    std::array<bool, 0x100> m_leads{};
    std::array<Utf8Form, 0x100> m_singles;
    std::vector<Utf8Form> m_pairs;
    std::vector<std::uint8_t> m_encodable; // bytes, not bits: looked up for every character read
};

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

// Calls `visit` with the UTF-8 form of each character of the code page 932 bytes.
template <typename Visit> void forEachChar(std::string_view bytes, const Visit& visit)
{
    const Tables& t = tables();
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (!t.isLead(lead)) {
            visit(t.single(lead));
            ++i;
        } else if (i + 1 < bytes.size() && isTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            visit(t.pair(lead, static_cast<unsigned char>(bytes[i + 1])));
            i += 2;
        } else {
            visit(t.replacement());
            ++i;
        }
    }
}

} // namespace

std::string Cp932ToUtf8(std::string_view bytes)
{
    // Measured first and then written in place, all four bytes of a form at a time: appending
    // character by character cost more than the second pass.
    std::size_t length = 0;
    forEachChar(bytes, [&length](const Utf8Form& form) { length += form.length; });
    std::string out(length + sizeof(Utf8Form::bytes), '\0');
    char* end = out.data();
    forEachChar(bytes, [&end](const Utf8Form& form) {
        std::memcpy(end, form.bytes.data(), sizeof(Utf8Form::bytes));
        end += form.length;
    });
    out.resize(length);
    return out;
}

bool Cp932CanEncode(std::string_view utf8)
{
    const Tables& t = tables();
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[offset]);
        if (byte < 0x80 && t.encodable(byte)) {
            ++offset;
            continue;
        }
        const Utf8Char c = Utf8CharAt(utf8, offset);
        // Characters no code decodes to may still have a form (the converter's one-way
        // mappings); the converter decides those.
        if (!t.encodable(c.code) && !cp932::CanEncode(utf8.substr(c.offset, c.length))) {
            return false;
        }
        offset += c.length;
    }
    return true;
}

} // namespace batch
