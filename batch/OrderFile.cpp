#include "batch/OrderFile.h"

#include "batch/ColumnMapping.h"
#include "batch/Csv.h"
#include "batch/OrderFormat.h"
#include "batch/OrderGrouping.h"
#include "batch/SlipBuilder.h"
#include "batch/SlipChecks.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <span>

namespace batch {
namespace {

struct Table
{
    std::string format;
    ColumnMap columns;
    CsvTable csv; // views the decoded text
};

std::vector<std::string> cellTexts(const CsvTable& csv)
{
    if (csv.records().empty()) {
        return {};
    }
    const std::span<const std::string_view> cells = csv.records().front().cells;
    return {cells.begin(), cells.end()};
}

std::vector<std::string> firstRecord(std::string_view text, char separator)
{
    const std::size_t end = text.find('\n');
    return cellTexts(ReadCsv(text.substr(0, end), separator));
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
    CsvTable csv = ReadCsv(text, separator);
    const ColumnMap columns = ParseColumnMap(mapping, cellTexts(csv));
    return {std::string(kGenericFormat), columns, std::move(csv)};
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
    CsvTable csv = ReadCsv(text, format->separator);
    const auto columns = ResolveColumns(*format, cellTexts(csv));
    if (!columns) {
        throw BatchError("the file lacks columns of the format " + std::string(format->id));
    }
    return {std::string(format->id), *columns, std::move(csv)};
}

// The records of whole rows; a record whose quote never closed is skipped with every row it
// would swallow, so that no row of the file goes unaccounted.
std::vector<CsvRecord> wholeRecords(std::span<const CsvRecord> records, std::vector<SkippedRow>& skipped)
{
    std::vector<CsvRecord> whole;
    whole.reserve(records.size());
    for (const CsvRecord& record : records) {
        if (!record.unclosedQuote) {
            whole.push_back(record);
            continue;
        }
        const std::string begun = std::to_string(record.row) + "行目";
        const std::size_t last = record.row + record.swallowedRows;
        skipped.push_back(
            {record.row, "引用符 \" が閉じていないため、この行から" + std::to_string(last) + "行目までを読めません"});
        for (std::size_t row = record.row + 1; row <= last; ++row) {
            skipped.push_back({row, begun + "の閉じていない引用符 \" の中にあります"});
        }
    }
    return whole;
}

} // namespace

std::vector<std::string> HeaderOf(std::string_view utf8Text)
{
    std::vector<std::string> commas = firstRecord(utf8Text, ',');
    std::vector<std::string> tabs = firstRecord(utf8Text, '\t');
    return tabs.size() > commas.size() ? tabs : commas;
}

std::string LoadOrderFile(const std::filesystem::path& file)
{
    try {
        std::optional<std::string> bytes = ReadRegularFile(file, kMaxOrderFileBytes);
        if (!bytes) {
            throw BatchError(FullPath(file) + " がありません");
        }
        return std::move(*bytes);
    } catch (const FileReadError& error) {
        throw BatchError(error.what());
    }
}

OrderFile ReadOrderFile(std::string_view bytes, const ReadOptions& options)
{
    const DecodedView decoded(bytes, options.encoding);
    const Table table = tableOf(decoded.text(), options);
    OrderFile file;
    file.format = table.format;
    file.encoding = decoded.encoding();
    if (table.csv.records().empty()) {
        return file;
    }
    file.header = cellTexts(table.csv);
    std::vector<SkippedRow> broken;
    const std::vector<CsvRecord> records = wholeRecords(table.csv.records().subspan(1), broken);
    Grouping grouping = GroupRows(records, table.columns, file.header.size());
    file.slips.reserve(grouping.groups.size());
    for (const OrderGroup& group : grouping.groups) {
        file.slips.push_back(BuildSlip(group));
        CheckFieldShapes(file.slips.back());
    }
    file.skipped = std::move(grouping.skipped);
    SkipSlipsWithoutAddress(file.slips, file.skipped);
    if (!broken.empty()) {
        file.skipped.insert(file.skipped.end(), broken.begin(), broken.end());
        std::stable_sort(file.skipped.begin(), file.skipped.end(),
                         [](const SkippedRow& a, const SkippedRow& b) { return a.row < b.row; });
    }
    return file;
}

} // namespace batch
