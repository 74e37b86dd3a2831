#include "escp/PrinterCharacters.h"

#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <optional>

namespace escp {
namespace {

constexpr int kJisOffset = 0x20;

bool isPrintableSingleByte(unsigned char byte)
{
    return (byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF);
}

PrinterChar classify(const std::string& utf8)
{
    const std::optional<std::string> bytes = cp932::FromUtf8Strict(utf8);
    if (!bytes || bytes->empty() || bytes->size() > 2) {
        return {CharKind::Picture, {}, utf8};
    }
    if (bytes->size() == 1) {
        return {CharKind::SingleByte, *bytes, utf8};
    }
    const auto [first, second] =
        ShiftJisToJis(static_cast<unsigned char>((*bytes)[0]), static_cast<unsigned char>((*bytes)[1]));
    if (!IsPrinterKanjiRow(first - kJisOffset)) {
        return {CharKind::Picture, {}, utf8};
    }
    return {CharKind::Kanji, {static_cast<char>(first), static_cast<char>(second)}, utf8};
}

} // namespace

std::vector<PrinterChar> PrinterChars(std::string_view utf8)
{
    std::vector<PrinterChar> chars;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        char32_t codePoint = 0;
        if (!utf8::next(utf8, pos, codePoint)) {
            pos = start + 1;
            continue;
        }
        if (codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0)) {
            continue;
        }
        PrinterChar printerChar = classify(std::string(utf8.substr(start, pos - start)));
        if (printerChar.kind == CharKind::SingleByte &&
            !isPrintableSingleByte(static_cast<unsigned char>(printerChar.bytes[0]))) {
            printerChar = {CharKind::Picture, {}, printerChar.utf8};
        }
        chars.push_back(std::move(printerChar));
    }
    return chars;
}

std::pair<int, int> ShiftJisToJis(unsigned char lead, unsigned char trail)
{
    int pair = lead >= 0xE0 ? lead - 0xC1 : lead - 0x81;
    int first = pair * 2 + 0x21;
    int second = 0;
    if (trail >= 0x9F) {
        ++first;
        second = trail - 0x7E;
    } else {
        second = trail >= 0x80 ? trail - 0x20 : trail - 0x1F;
    }
    return {first, second};
}

std::pair<unsigned char, unsigned char> JisToShiftJis(int first, int second)
{
    const int lead = ((first + 1) >> 1) + (first <= 0x5E ? 0x70 : 0xB0);
    int trail = 0;
    if (first % 2 == 1) {
        trail = second + (second >= 0x60 ? 0x20 : 0x1F);
    } else {
        trail = second + 0x7E;
    }
    return {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
}

bool IsPrinterKanjiRow(int row)
{
    return (row >= 1 && row <= 8) || (row >= 16 && row <= 84);
}

} // namespace escp
