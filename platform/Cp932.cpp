#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

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

} // namespace

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

std::size_t ByteLength(std::string_view utf8)
{
    return FromUtf8(utf8).size();
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
    return FromUtf8Strict(utf8).has_value();
}

std::string ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    toUtf8().convert(bytes, out, [](std::string_view rest, std::string& o) {
        o.append("\xE3\x80\x93"); // 〓
        return std::size_t{startsInvalidPair(rest) ? 2u : 1u};
    });
    return out;
}

} // namespace cp932
