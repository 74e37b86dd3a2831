#include "platform/Utf8.h"

namespace utf8 {

bool next(std::string_view text, std::size_t& pos, char32_t& codePoint)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(pos);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (pos + length > text.size()) {
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char follow = byteAt(pos + i);
        if ((follow & 0xC0) != 0x80) {
            return false;
        }
        value = (value << 6) | (follow & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return false;
    }
    codePoint = value;
    pos += length;
    return true;
}

void append(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::size_t sequenceLength(std::string_view text)
{
    std::size_t pos = 0;
    char32_t codePoint = 0;
    return !text.empty() && next(text, pos, codePoint) ? pos : 0;
}

bool isValid(std::string_view text)
{
    std::size_t pos = 0;
    char32_t codePoint = 0;
    while (pos < text.size()) {
        if (!next(text, pos, codePoint)) {
            return false;
        }
    }
    return true;
}

} // namespace utf8
