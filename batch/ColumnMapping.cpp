#include "batch/ColumnMapping.h"

#include "platform/WidthFold.h"

#include <charconv>

namespace batch {
namespace {

std::optional<std::size_t> columnNumber(std::string_view text)
{
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0) {
        return std::nullopt;
    }
    return number - 1;
}

std::size_t findColumn(std::string_view column, const std::vector<std::string>& header)
{
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (widthfold::trimBlanks(header[i]) == column) {
            return i;
        }
    }
    if (const auto number = columnNumber(column); number && *number < header.size()) {
        return *number;
    }
    throw BatchError("no column " + std::string(column) + " in the file",
                     "ファイルに列「" + std::string(column) + "」がありません");
}

} // namespace

ColumnMap ParseColumnMap(std::string_view mapping, const std::vector<std::string>& header)
{
    ColumnMap map;
    while (!mapping.empty()) {
        const std::size_t comma = mapping.find(',');
        const std::string_view entry = mapping.substr(0, comma);
        mapping = comma == std::string_view::npos ? std::string_view() : mapping.substr(comma + 1);
        if (widthfold::trimBlanks(entry).empty()) {
            continue;
        }
        const std::size_t equals = entry.find('=');
        const auto field = FieldFromKey(widthfold::trimBlanks(entry.substr(0, equals)));
        if (equals == std::string_view::npos || !field) {
            throw BatchError("not a column mapping: " + std::string(entry),
                             "列の割り当てが読めません: " + std::string(entry));
        }
        map[static_cast<std::size_t>(*field)] = findColumn(widthfold::trimBlanks(entry.substr(equals + 1)), header);
    }
    const auto mapped = [&map](Field field) { return map[static_cast<std::size_t>(field)].has_value(); };
    if (!mapped(Field::Address1) && !mapped(Field::Name) && !mapped(Field::FamilyName)) {
        throw BatchError("the column mapping names neither an address nor a name column",
                         "住所かおなまえの列を割り当ててください");
    }
    return map;
}

} // namespace batch
