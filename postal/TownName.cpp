#include "postal/TownName.h"

#include <string_view>

namespace postal {

namespace {

constexpr std::string_view kOpen = "（";
constexpr std::string_view kClose = "）";

// "１階", "２３階", "地下１階": full-width digits and 階, nothing else.
bool isFloor(std::string_view text)
{
    constexpr std::string_view kBasement = "地下";
    constexpr std::string_view kFloor = "階";
    if (text.starts_with(kBasement)) {
        text.remove_prefix(kBasement.size());
    }
    if (!text.ends_with(kFloor)) {
        return false;
    }
    text.remove_suffix(kFloor.size());
    if (text.empty() || text.size() % 3 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 3) {
        // Full-width digits are EF BC 90 … EF BC 99 in UTF-8.
        if (text.substr(i, 2) != "\xEF\xBC" || static_cast<unsigned char>(text[i + 2]) < 0x90 ||
            static_cast<unsigned char>(text[i + 2]) > 0x99) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string townOfRecord(const std::string& town)
{
    const std::string_view text = town;
    if (text == "以下に掲載がない場合" || text.ends_with("の次に番地がくる場合") ||
        (text.ends_with("一円") && text != "一円")) {
        return {};
    }
    // Each outermost parenthesised group goes, or gives its floor; a stray closing one goes.
    std::string out;
    std::size_t depth = 0;
    std::size_t groupStart = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.substr(pos).starts_with(kOpen)) {
            pos += kOpen.size();
            if (depth++ == 0) {
                groupStart = pos;
            }
        } else if (text.substr(pos).starts_with(kClose)) {
            if (depth > 0 && --depth == 0) {
                const std::string_view inside = text.substr(groupStart, pos - groupStart);
                if (isFloor(inside)) {
                    out += inside;
                }
            }
            pos += kClose.size();
        } else {
            if (depth == 0) {
                out += text[pos];
            }
            ++pos;
        }
    }
    return out;
}

} // namespace postal
