#include "batch/OrderGrouping.h"

#include "batch/Repairs.h"
#include "batch/Utf8Chars.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace batch {
namespace {

// The platform's destination number is no destination of its own: item rows repeat it.
constexpr Field kDestinationFields[] = {
    Field::Zip,  Field::Zip2,       Field::Prefecture, Field::City, Field::Address1, Field::Address2, Field::Address3,
    Field::Name, Field::FamilyName, Field::GivenName,  Field::Tel,  Field::Tel2,     Field::Tel3};

// A cell that cleaning leaves as it is.
bool isClean(const std::string& cell)
{
    return TrimBlanks(cell).size() == cell.size() && !cell.starts_with('\'') &&
           std::none_of(cell.begin(), cell.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
}

// For each field, an earlier field read from the same column, if any.
std::array<std::optional<std::size_t>, kFieldCount> sharedColumns(const ColumnMap& columns)
{
    std::array<std::optional<std::size_t>, kFieldCount> shared;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        for (std::size_t earlier = 0; earlier < field && columns[field]; ++earlier) {
            if (columns[earlier] == columns[field]) {
                shared[field] = earlier;
                break;
            }
        }
    }
    return shared;
}

const std::string& value(const RowValues& values, Field field)
{
    return values[static_cast<std::size_t>(field)];
}

bool hasDestination(const RowValues& values)
{
    return std::any_of(std::begin(kDestinationFields), std::end(kDestinationFields),
                       [&values](Field field) { return !value(values, field).empty(); });
}

// Orders and destinations told apart by their cells, joined with a separator no cell holds.
std::string orderKey(const RowValues& values)
{
    return value(values, Field::Order) + '\x1f' + value(values, Field::Destination);
}

std::string destinationKey(const RowValues& values)
{
    std::string key = orderKey(values);
    key.reserve(key.size() + 256);
    for (Field field : kDestinationFields) {
        key += '\x1f';
        key += value(values, field);
    }
    return key;
}

bool sameDestination(const RowValues& a, const RowValues& b)
{
    const auto same = [&](Field field) { return value(a, field) == value(b, field); };
    return same(Field::Order) && same(Field::Destination) &&
           std::all_of(std::begin(kDestinationFields), std::end(kDestinationFields), same);
}

bool isEmptyRow(const CsvRecord& record)
{
    return std::all_of(record.cells.begin(), record.cells.end(), [](const std::string& cell) {
        const std::string_view text = TrimBlanks(cell);
        return text.empty() || text == "'";
    });
}

class Grouper
{
public:
    Grouper(const ColumnMap& columns, std::size_t rows) : m_columns(columns), m_shared(sharedColumns(columns))
    {
        m_result.groups.reserve(rows);
        m_byDestination.reserve(rows);
        m_lastOfOrder.reserve(rows);
    }

    void add(CsvRecord& record)
    {
        if (isEmptyRow(record)) {
            return;
        }
        RowValues values = valuesOf(record);
        OrderItem item{value(values, Field::Item), value(values, Field::Quantity)};
        if (!hasDestination(values)) {
            const auto last = m_lastOfOrder.find(orderKey(values));
            if (value(values, Field::Order).empty() || last == m_lastOfOrder.end()) {
                m_result.skipped.push_back({record.row, "お届け先がありません"});
                return;
            }
            addItem(last->second, std::move(item));
            return;
        }
        // Item rows mostly follow their order's first row: the same destination needs no lookup.
        if (m_lastGroup && !value(values, Field::Order).empty() &&
            sameDestination(values, m_result.groups[*m_lastGroup].destination)) {
            addItem(*m_lastGroup, std::move(item));
            return;
        }
        std::size_t index = m_result.groups.size();
        if (!value(values, Field::Order).empty()) {
            const auto [found, added] = m_byDestination.try_emplace(destinationKey(values), index);
            index = found->second;
        }
        const std::string order = orderKey(values);
        if (index == m_result.groups.size()) {
            m_result.groups.push_back({record.row, std::move(values), {}});
        }
        m_lastOfOrder[order] = index;
        m_lastGroup = index;
        addItem(index, std::move(item));
    }

    Grouping take() { return std::move(m_result); }

private:
    // The cells of the fields, cleaned; a clean cell is moved, not copied.
    RowValues valuesOf(CsvRecord& record) const
    {
        RowValues values;
        for (std::size_t field = 0; field < kFieldCount; ++field) {
            const auto column = m_columns[field];
            if (!column || *column >= record.cells.size()) {
                continue;
            }
            std::string& cell = record.cells[*column];
            if (m_shared[field]) {
                values[field] = values[*m_shared[field]];
            } else if (isClean(cell)) {
                values[field] = std::move(cell);
            } else {
                values[field] = CleanCell(cell);
            }
        }
        return values;
    }

    void addItem(std::size_t group, OrderItem item)
    {
        if (!item.name.empty()) {
            m_result.groups[group].items.push_back(std::move(item));
        }
    }

    const ColumnMap& m_columns;
    const std::array<std::optional<std::size_t>, kFieldCount> m_shared;
    Grouping m_result;
    std::unordered_map<std::string, std::size_t> m_byDestination;
    std::unordered_map<std::string, std::size_t> m_lastOfOrder;
    std::optional<std::size_t> m_lastGroup; // the group the last row with a destination joined
};

} // namespace

Grouping GroupRows(std::span<CsvRecord> rows, const ColumnMap& columns)
{
    Grouper grouper(columns, rows.size());
    for (CsvRecord& row : rows) {
        grouper.add(row);
    }
    return grouper.take();
}

} // namespace batch
