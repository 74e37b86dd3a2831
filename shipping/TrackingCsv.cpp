#include "shipping/TrackingCsv.h"

#include "batch/Csv.h"
#include "platform/Cp932.h"
#include "platform/Utf8.h"
#include "shipping/TrackingNumber.h"

#include <algorithm>
#include <cctype>

namespace shipping {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string asUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
    }
    return utf8::isValid(bytes) ? std::string(bytes) : cp932::ToUtf8(bytes);
}

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isBlankRecord(const batch::CsvRecord& record)
{
    return std::all_of(record.cells.begin(), record.cells.end(),
                       [](std::string_view cell) { return trimmed(cell).empty(); });
}

// The key the header names, or nothing when the line is no header.
std::optional<TrackingKey> headerKey(const batch::CsvRecord& record)
{
    if (record.cells.size() != 2) {
        return std::nullopt;
    }
    const std::string first = lowered(trimmed(record.cells[0]));
    const std::string second = lowered(trimmed(record.cells[1]));
    if (second != "number" && second != "tracking_number") {
        return std::nullopt;
    }
    if (first == "order") {
        return TrackingKey::Order;
    }
    if (first == "id") {
        return TrackingKey::Id;
    }
    return std::nullopt;
}

void readRecord(const batch::CsvRecord& record, TrackingKey key, TrackingFile& file)
{
    if (record.cells.size() != 2) {
        file.errors.push_back({record.row, "「注文番号,お問合せ番号」の2項目ではありません"});
        return;
    }
    const std::string keyText = trimmed(record.cells[0]);
    if (keyText.empty()) {
        file.errors.push_back({record.row, "注文番号（またはID）がありません"});
        return;
    }
    const std::optional<std::string> number = NormalizeTrackingNumber(record.cells[1]);
    if (!number) {
        file.errors.push_back({record.row, "お問合せ番号が数字ではありません: " + trimmed(record.cells[1])});
        return;
    }
    file.lines.push_back({record.row, key, keyText, *number});
}

} // namespace

TrackingFile ReadTrackingFile(std::string_view bytes)
{
    const std::string text = asUtf8(bytes);
    const batch::CsvTable table = batch::ReadCsv(text, ',');
    TrackingFile file;
    TrackingKey key = TrackingKey::OrderOrId;
    bool first = true;
    for (const batch::CsvRecord& record : table.records()) {
        if (isBlankRecord(record)) {
            continue;
        }
        if (first) {
            first = false;
            if (const std::optional<TrackingKey> named = headerKey(record)) {
                key = *named;
                continue;
            }
        }
        readRecord(record, key, file);
    }
    return file;
}

} // namespace shipping
