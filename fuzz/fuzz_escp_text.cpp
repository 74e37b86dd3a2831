// Arbitrary slip text through the printer-font classification: every character is sent as
// one printable byte, as a JIS pair in the printer's rows that reads back to the same code
// page 932 character, or as a picture; nothing else reaches the stream.
#include "escp/PrinterCharacters.h"
#include "platform/Cp932.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkKanji(const escp::PrinterChar& c)
{
    require(c.bytes.size() == 2);
    const int first = static_cast<unsigned char>(c.bytes[0]);
    const int second = static_cast<unsigned char>(c.bytes[1]);
    require(first >= 0x21 && first <= 0x7E && second >= 0x21 && second <= 0x7E);
    require(escp::IsPrinterKanjiRow(first - 0x20));
    const auto [lead, trail] = escp::JisToShiftJis(first, second);
    const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
    require(cp932::FromUtf8Strict(c.utf8) == sjis);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const escp::PrinterChar& c : escp::PrinterChars(text)) {
        require(!c.utf8.empty());
        if (c.kind == escp::CharKind::SingleByte) {
            const auto byte = static_cast<unsigned char>(c.bytes.at(0));
            require(c.bytes.size() == 1 && ((byte >= 0x20 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xDF)));
        } else if (c.kind == escp::CharKind::Kanji) {
            checkKanji(c);
        } else {
            require(c.bytes.empty());
        }
    }
    return 0;
}
