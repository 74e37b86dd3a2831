#include "textimport/HalfWidth.h"

#include "platform/Cp932.h"
#include "textimport/HalfWidthTable.h"

#include <algorithm>

namespace textimport {

namespace {

const HalfWidthEntry* findHalfWidth(std::uint16_t code)
{
    const HalfWidthEntry* end = kHalfWidthTable + kHalfWidthTableSize;
    const HalfWidthEntry* entry = std::lower_bound(kHalfWidthTable, end, code,
                                                   [](const HalfWidthEntry& e, std::uint16_t c) { return e.code < c; });
    return entry != end && entry->code == code ? entry : nullptr;
}

} // namespace

std::string ToHalfWidth(std::string_view cp932Text)
{
    std::string out;
    out.reserve(cp932Text.size());
    for (std::size_t i = 0; i < cp932Text.size();) {
        const auto lead = static_cast<unsigned char>(cp932Text[i]);
        if (!cp932::IsLeadByte(lead) || i + 1 == cp932Text.size()) {
            out.push_back(cp932Text[i]);
            ++i;
            continue;
        }
        const auto code = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(cp932Text[i + 1]));
        if (const HalfWidthEntry* entry = findHalfWidth(code)) {
            out.append(entry->bytes, entry->length);
        } else {
            out.append(cp932Text.substr(i, 2));
        }
        i += 2;
    }
    return out;
}

} // namespace textimport
