#include "batch/DryRunJson.h"

#include "platform/Utf8.h"

#include <cstdio>

namespace batch {
namespace {

void appendList(std::string& out, const auto& items, const auto& appendItem)
{
    out += '[';
    bool first = true;
    for (const auto& item : items) {
        out += first ? "" : ", ";
        first = false;
        appendItem(item);
    }
    out += ']';
}

void appendSlip(std::string& out, std::size_t number, const BatchSlip& slip)
{
    out += "{\"number\": " + std::to_string(number);
    out += ", \"order\": " + JsonString(slip.order);
    out += ", \"zip\": " + JsonString(slip.recipient.zip);
    out += ", \"address1\": " + JsonString(slip.recipient.address1);
    out += ", \"address2\": " + JsonString(slip.recipient.address2);
    out += ", \"name\": " + JsonString(slip.recipient.name);
    out += ", \"tel\": " + JsonString(slip.recipient.tel);
    out += ", \"goods\": ";
    appendList(out, slip.goods, [&out](const std::string& line) { out += JsonString(line); });
    out += ", \"pieces\": " + (slip.pieces.empty() ? std::string("0") : slip.pieces);
    out += ", \"warnings\": ";
    appendList(out, slip.warnings, [&out](const std::string& warning) { out += JsonString(warning); });
    if (!slip.blockedUnlessForced.empty()) {
        out += ", \"blocked\": " + JsonString(slip.blockedUnlessForced);
    }
    out += '}';
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t offset = 0; offset < text.size();) {
        const utf8::Char character = utf8::charAt(text, offset);
        offset += character.length;
        if (character.length > 1 || !character.valid) {
            // JSON is UTF-8: a byte that begins no character is written as U+FFFD.
            out += character.valid ? text.substr(character.offset, character.length) : "\uFFFD";
            continue;
        }
        const char c = text[character.offset];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string DryRunJson(const OrderFile& file, const std::vector<std::size_t>& chosen)
{
    std::string out = "{\"format\": " + JsonString(file.format);
    out += ", \"encoding\": " + JsonString(EncodingName(file.encoding));
    out += ", \"slips\": ";
    appendList(out, chosen, [&](std::size_t index) { appendSlip(out, index + 1, file.slips[index]); });
    out += ", \"skipped\": ";
    appendList(out, file.skipped, [&out](const SkippedRow& row) {
        out += "{\"row\": " + std::to_string(row.row) + ", \"reason\": " + JsonString(row.reason) + "}";
    });
    return out + "}\n";
}

} // namespace batch
