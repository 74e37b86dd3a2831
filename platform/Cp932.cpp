#include "platform/Cp932.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace cp932 {
namespace {

// One converter per direction and thread: iconv_open is far dearer than a conversion.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        // iconv_open reports failure as (iconv_t)-1.
        if (m_handle == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`, calling `onInvalid` for every input sequence that has no output form.
    // onInvalid gets the remaining input and returns how many bytes to skip, appending its
    // replacement to `out` (or returning 0 to give up).
    template <typename OnInvalid> bool convert(std::string_view in, std::string& out, OnInvalid onInvalid)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        auto* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[512];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_handle, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            const std::size_t skip = onInvalid(std::string_view(src, srcLeft), out);
            if (skip == 0) {
                return false;
            }
            src += skip;
            srcLeft -= skip;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

private:
    iconv_t m_handle;
};

Converter& toCp932()
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& toUtf8()
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

std::size_t skipUtf8Char(std::string_view rest)
{
    const std::size_t n = utf8SequenceLength(static_cast<unsigned char>(rest.front()));
    return n <= rest.size() ? n : rest.size();
}

bool isTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// A lead byte with a trail byte that iconv still refused (an unassigned code): skip both,
// so that the trail byte is not read as a character of its own.
bool startsInvalidPair(std::string_view rest)
{
    return rest.size() >= 2 && IsLeadByte(static_cast<unsigned char>(rest[0])) &&
           isTrailByte(static_cast<unsigned char>(rest[1]));
}

constexpr std::string_view kReplacementUtf8 = "\xE3\x80\x93"; // 〓

// The converter's reading of one character's bytes: the source of the tables below.
std::string converted(std::string_view bytes)
{
    std::string out;
    toUtf8().convert(bytes, out, [](std::string_view rest, std::string& o) {
        o.append(kReplacementUtf8);
        return std::size_t{startsInvalidPair(rest) ? 2u : 1u};
    });
    return out;
}

struct Utf8Form
{
    std::array<char, 4> bytes{};
    std::uint8_t length = 0;
    bool valid = false;
};

// Every single byte and byte pair with its UTF-8 form, and which code points have a code page
// 932 form: whole order files are converted and checked a character at a time, where the
// converter's per-call cost would be most of the work. Filled from the converter on first use.
class Tables
{
public:
    Tables() : m_pairs(0x10000), m_widths(0x10000, 0)
    {
        m_invalid = form(kReplacementUtf8, false);
        for (unsigned lead = 0; lead < 0x100; ++lead) {
            m_leads[lead] = IsLeadByte(static_cast<unsigned char>(lead));
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
    // For a lead byte without a trail byte.
    const Utf8Form& invalid() const { return m_invalid; }

    // The bytes of the code point's form; 0 when no code decodes to it.
    std::size_t width(char32_t code) const { return code < m_widths.size() ? m_widths[code] : 0; }

private:
    static Utf8Form form(std::string_view utf8, bool valid)
    {
        Utf8Form result;
        result.length = static_cast<std::uint8_t>(utf8.size() <= 4 ? utf8.size() : 0);
        std::copy(utf8.begin(), utf8.begin() + result.length, result.bytes.begin());
        result.valid = valid;
        return result;
    }

    Utf8Form remember(const std::string& bytes)
    {
        const std::string utf8 = converted(bytes);
        if (bytes != kReplacement && utf8 == kReplacementUtf8) {
            return m_invalid;
        }
        for (const utf8::Char& c : utf8::split(utf8)) {
            if (c.code < m_widths.size() && m_widths[c.code] == 0) {
                m_widths[c.code] = static_cast<std::uint8_t>(bytes.size());
            }
        }
        return form(utf8, true);
    }

    Utf8Form m_invalid;
    std::array<bool, 0x100> m_leads{};
    std::array<Utf8Form, 0x100> m_singles;
    std::vector<Utf8Form> m_pairs;
    std::vector<std::uint8_t> m_widths; // looked up for every character read
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
            visit(t.invalid());
            ++i;
        }
    }
}

} // namespace

std::string detail::ToUtf8ByConverter(std::string_view bytes)
{
    return converted(bytes);
}

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharCount(std::string_view bytes)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size(); ++count) {
        i += IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    }
    return count;
}

std::size_t CharWidth(char32_t code)
{
    if (code < 0x80) {
        return 1;
    }
    const std::size_t width = tables().width(code);
    if (width != 0) {
        return width;
    }
    std::string utf8;
    utf8::append(utf8, code);
    return FromUtf8(utf8).size();
}

std::size_t ByteLength(std::string_view utf8)
{
    const Tables& t = tables();
    std::size_t bytes = 0;
    for (std::size_t offset = 0; offset < utf8.size();) {
        if (static_cast<unsigned char>(utf8[offset]) < 0x80) {
            ++bytes;
            ++offset;
            continue;
        }
        const utf8::Char c = utf8::charAt(utf8, offset);
        const std::size_t known = t.width(c.code); // asked once rather than through CharWidth
        bytes += !c.valid ? kReplacement.size() : known != 0 ? known : CharWidth(c.code);
        offset += c.length;
    }
    return bytes;
}

std::optional<std::string> FromUtf8Strict(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    if (!toCp932().convert(utf8, out, [](std::string_view, std::string&) { return std::size_t{0}; })) {
        return std::nullopt;
    }
    return out;
}

std::string FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    toCp932().convert(utf8, out, [](std::string_view rest, std::string& o) {
        o.append(kReplacement);
        return skipUtf8Char(rest);
    });
    return out;
}

bool CanEncode(std::string_view utf8)
{
    const Tables& t = tables();
    for (std::size_t offset = 0; offset < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[offset]);
        if (byte < 0x80 && t.width(byte) != 0) {
            ++offset;
            continue;
        }
        const utf8::Char c = utf8::charAt(utf8, offset);
        // Characters no code decodes to may still have a form (the converter's one-way
        // mappings); the converter decides those.
        if (!c.valid || (t.width(c.code) == 0 && !FromUtf8Strict(utf8.substr(c.offset, c.length)))) {
            return false;
        }
        offset += c.length;
    }
    return true;
}

std::string ToUtf8(std::string_view bytes, std::string_view replacement)
{
    std::size_t invalid = 0;
    return ToUtf8(bytes, replacement, invalid);
}

std::string ToUtf8(std::string_view bytes, std::string_view replacement, std::size_t& invalidCount)
{
    Utf8Form invalid;
    invalid.length = static_cast<std::uint8_t>(std::min<std::size_t>(replacement.size(), invalid.bytes.size()));
    std::copy(replacement.begin(), replacement.begin() + invalid.length, invalid.bytes.begin());
    const auto formOf = [&invalid](const Utf8Form& form) -> const Utf8Form& { return form.valid ? form : invalid; };
    // Measured first and then written in place, all four bytes of a form at a time: appending
    // character by character cost more than the second pass. The faults are counted without a
    // branch and replaced only when there are any: most files have none.
    std::size_t length = 0;
    invalidCount = 0;
    forEachChar(bytes, [&](const Utf8Form& form) {
        length += form.length;
        invalidCount += form.valid ? 0 : 1;
    });
    length = length - invalidCount * tables().invalid().length + invalidCount * invalid.length;
    std::string out(length + sizeof(Utf8Form::bytes), '\0');
    char* end = out.data();
    const auto write = [&end](const Utf8Form& form) {
        std::memcpy(end, form.bytes.data(), sizeof(Utf8Form::bytes));
        end += form.length;
    };
    if (invalidCount == 0) {
        forEachChar(bytes, write);
    } else {
        forEachChar(bytes, [&](const Utf8Form& form) { write(formOf(form)); });
    }
    out.resize(length);
    return out;
}

std::size_t CountInvalid(std::string_view bytes)
{
    std::size_t invalid = 0;
    forEachChar(bytes, [&invalid](const Utf8Form& form) { invalid += form.valid ? 0 : 1; });
    return invalid;
}

} // namespace cp932
