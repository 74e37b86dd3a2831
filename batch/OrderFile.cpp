#include "batch/OrderFile.h"

#include "batch/ColumnMapping.h"
#include "batch/Csv.h"
#include "batch/OrderFormat.h"
#include "batch/OrderGrouping.h"
#include "batch/SlipBuilder.h"
#include "batch/SlipChecks.h"

#include <span>

namespace batch {
namespace {

struct Table
{
    std::string format;
    ColumnMap columns;
    std::vector<CsvRecord> records;
};

std::vector<std::string> firstRecord(std::string_view text, char separator)
{
    const std::size_t end = text.find('\n');
    std::vector<CsvRecord> records = ReadCsv(text.substr(0, end), separator);
    return records.empty() ? std::vector<std::string>() : std::move(records.front().cells);
}

// The known format whose columns the header holds most of.
const OrderFormat* recognise(std::string_view text)
{
    const OrderFormat* best = nullptr;
    std::size_t bestCount = 0;
    for (const OrderFormat& format : KnownFormats()) {
        const auto columns = ResolveColumns(format, firstRecord(text, format.separator));
        if (!columns) {
            continue;
        }
        std::size_t count = 0;
        for (const auto& column : *columns) {
            count += column.has_value() ? 1 : 0;
        }
        if (count > bestCount) {
            best = &format;
            bestCount = count;
        }
    }
    return best;
}

Table genericTable(std::string_view text, const std::string& mapping)
{
    if (mapping.empty()) {
        throw BatchError("a generic file needs a column mapping (--map zip=…,address1=…)");
    }
    const char separator = firstRecord(text, '\t').size() > firstRecord(text, ',').size() ? '\t' : ',';
    std::vector<CsvRecord> records = ReadCsv(text, separator);
    const std::vector<std::string> header = records.empty() ? std::vector<std::string>() : records.front().cells;
    return {std::string(kGenericFormat), ParseColumnMap(mapping, header), std::move(records)};
}

Table tableOf(std::string_view text, const ReadOptions& options)
{
    const bool generic = options.format ? *options.format == kGenericFormat : !options.columnMap.empty();
    if (generic) {
        return genericTable(text, options.columnMap);
    }
    const OrderFormat* format = options.format ? FindFormat(*options.format) : recognise(text);
    if (!format) {
        throw BatchError(options.format ? "unknown format " + *options.format
                                        : "the file's columns match no known shop format; name one with --format "
                                          "or map the columns with --map");
    }
    std::vector<CsvRecord> records = ReadCsv(text, format->separator);
    const auto columns = ResolveColumns(*format, records.empty() ? std::vector<std::string>() : records.front().cells);
    if (!columns) {
        throw BatchError("the file lacks columns of the format " + std::string(format->id));
    }
    return {std::string(format->id), *columns, std::move(records)};
}

} // namespace

std::vector<std::string> HeaderOf(std::string_view utf8Text)
{
    std::vector<std::string> commas = firstRecord(utf8Text, ',');
    std::vector<std::string> tabs = firstRecord(utf8Text, '\t');
    return tabs.size() > commas.size() ? tabs : commas;
}

OrderFile ReadOrderFile(std::string_view bytes, const ReadOptions& options)
{
    const DecodedText decoded = Decode(bytes, options.encoding);
    Table table = tableOf(decoded.utf8, options);
    OrderFile file;
    file.format = table.format;
    file.encoding = decoded.encoding;
    if (table.records.empty()) {
        return file;
    }
    file.header = std::move(table.records.front().cells);
    Grouping grouping = GroupRows(std::span(table.records).subspan(1), table.columns);
    file.slips.reserve(grouping.groups.size());
    for (const OrderGroup& group : grouping.groups) {
        file.slips.push_back(BuildSlip(group));
        CheckFields(file.slips.back());
    }
    file.skipped = std::move(grouping.skipped);
    return file;
}

} // namespace batch
