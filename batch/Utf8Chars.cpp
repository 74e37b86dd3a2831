#include "batch/Utf8Chars.h"

namespace batch {
namespace {

bool isDash(char32_t code)
{
    return code == U'－' || code == U'‐' || code == U'−' || code == U'―' || code == U'ー' || code == U'–' ||
           code == U'—';
}

} // namespace

std::size_t Utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); ++count) {
        offset += Utf8CharAt(text, offset).length;
    }
    return count;
}

std::size_t Cp932Bytes(std::string_view text)
{
    std::size_t bytes = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        if (static_cast<unsigned char>(text[offset]) < 0x80) {
            ++bytes;
            ++offset;
            continue;
        }
        const Utf8Char c = Utf8CharAt(text, offset);
        bytes += Cp932Width(c.code);
        offset += c.length;
    }
    return bytes;
}

std::vector<Utf8Char> SplitUtf8(std::string_view text)
{
    std::vector<Utf8Char> chars;
    chars.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        chars.push_back(Utf8CharAt(text, offset));
        offset += chars.back().length;
    }
    return chars;
}

std::string AsciiDigits(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const Utf8Char c = Utf8CharAt(text, offset);
        offset += c.length;
        if (c.code < 0x80) {
            out.push_back(static_cast<char>(c.code));
        } else if (c.code >= U'！' && c.code <= U'～') {
            out.push_back(static_cast<char>(c.code - U'！' + U'!'));
        } else if (isDash(c.code)) {
            out.push_back('-');
        } else if (c.code == U'　') {
            out.push_back(' ');
        } else {
            out.append(text.substr(c.offset, c.length));
        }
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text)
{
    static constexpr std::string_view kWideBlank = "　";
    for (;;) {
        if (!text.empty() &&
            (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n')) {
            text.remove_prefix(1);
        } else if (text.substr(0, kWideBlank.size()) == kWideBlank) {
            text.remove_prefix(kWideBlank.size());
        } else {
            break;
        }
    }
    for (;;) {
        if (!text.empty() &&
            (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
            text.remove_suffix(1);
        } else if (text.size() >= kWideBlank.size() && text.substr(text.size() - kWideBlank.size()) == kWideBlank) {
            text.remove_suffix(kWideBlank.size());
        } else {
            break;
        }
    }
    return text;
}

} // namespace batch
