#include "batch/OrderGrouping.h"

#include "batch/Repairs.h"
#include "platform/WidthFold.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unordered_map>

namespace batch {
namespace {

// The platform's destination number is no destination of its own: item rows repeat it.
constexpr Field kDestinationFields[] = {
    Field::Zip,  Field::Zip2,       Field::Prefecture, Field::City, Field::Address1, Field::Address2, Field::Address3,
    Field::Name, Field::FamilyName, Field::GivenName,  Field::Tel,  Field::Tel2,     Field::Tel3};

// Cells compared one by one rather than joined, so that no character needs to be kept out
// of them as a separator.
template <std::size_t N> using CellKey = std::array<std::string_view, N>;
using OrderKey = CellKey<2>;
using DestinationKey = CellKey<2 + std::size(kDestinationFields)>;

// The order, its destination number and the postal code and address up to the street tell
// keys apart well enough for hashing, at half the cost of every cell; equality compares all.
constexpr std::size_t kHashedCells = 7;

struct CellKeyHash
{
    template <std::size_t N> std::size_t operator()(const CellKey<N>& key) const noexcept
    {
        std::size_t hash = 0;
        for (std::size_t i = 0; i < std::min(N, kHashedCells); ++i) {
            hash ^= std::hash<std::string_view>()(key[i]) + 0x9e3779b97f4a7c15 + (hash << 6) + (hash >> 2);
        }
        return hash;
    }
};

std::string_view value(const RowValues& values, Field field)
{
    return values[static_cast<std::size_t>(field)];
}

bool hasDestination(const RowValues& values)
{
    return std::any_of(std::begin(kDestinationFields), std::end(kDestinationFields),
                       [&values](Field field) { return !value(values, field).empty(); });
}

OrderKey orderKey(const RowValues& values)
{
    return {value(values, Field::Order), value(values, Field::Destination)};
}

DestinationKey destinationKey(const RowValues& values)
{
    DestinationKey key{value(values, Field::Order), value(values, Field::Destination)};
    std::transform(std::begin(kDestinationFields), std::end(kDestinationFields), key.begin() + 2,
                   [&values](Field field) { return value(values, field); });
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
    return std::all_of(record.cells.begin(), record.cells.end(), [](std::string_view cell) {
        const std::string_view text = widthfold::trimBlanks(cell);
        return text.empty() || text == "'";
    });
}

// Items a parcel mostly holds: room for them from the start saves growing the list.
constexpr std::size_t kItemsMostly = 3;

class Grouper
{
public:
    Grouper(const ColumnMap& columns, std::size_t rows, std::size_t headerCells)
        : m_columns(columns), m_headerCells(headerCells)
    {
        m_result.groups.reserve(rows);
        m_byDestination.reserve(rows);
        m_lastOfOrder.reserve(rows);
    }

    void add(const CsvRecord& record)
    {
        if (isEmptyRow(record)) {
            return;
        }
        const RowValues values = valuesOf(record);
        const OrderItem item{value(values, Field::Item), value(values, Field::Quantity)};
        if (!hasDestination(values)) {
            const auto last = m_lastOfOrder.find(orderKey(values));
            if (value(values, Field::Order).empty() || last == m_lastOfOrder.end()) {
                m_result.skipped.push_back({record.row, "お届け先がありません"});
                return;
            }
            addItem(last->second, item);
            noteShape(last->second, record);
            return;
        }
        // Item rows mostly follow their order's first row: the same destination needs no lookup.
        if (m_lastGroup && !value(values, Field::Order).empty() &&
            sameDestination(values, m_result.groups[*m_lastGroup].destination)) {
            addItem(*m_lastGroup, item);
            noteShape(*m_lastGroup, record);
            return;
        }
        std::size_t index = m_result.groups.size();
        if (!value(values, Field::Order).empty()) {
            index = m_byDestination.try_emplace(destinationKey(values), index).first->second;
        }
        if (index == m_result.groups.size()) {
            m_result.groups.push_back({record.row, values, {}, {}});
            m_result.groups.back().items.reserve(kItemsMostly);
        }
        m_lastOfOrder[orderKey(values)] = index;
        m_lastGroup = index;
        addItem(index, item);
        noteShape(index, record);
    }

    Grouping take() { return std::move(m_result); }

private:
    RowValues valuesOf(const CsvRecord& record)
    {
        RowValues values;
        for (std::size_t field = 0; field < kFieldCount; ++field) {
            const auto column = m_columns[field];
            if (column && *column < record.cells.size()) {
                values[field] = cleaned(record.cells[*column]);
            }
        }
        return values;
    }

    // Only a cell with line breaks or tabs inside needs a text of its own.
    std::string_view cleaned(std::string_view cell)
    {
        const std::string_view text = TrimCell(cell);
        // A plain loop: find_first_of searches the set once for every character.
        if (std::none_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; })) {
            return text;
        }
        return m_result.cleanedCells.emplace_back(CleanCell(cell));
    }

    void noteShape(std::size_t group, const CsvRecord& record)
    {
        if (m_headerCells != 0 && record.cells.size() != m_headerCells) {
            m_result.groups[group].misshapen.push_back({record.row, record.cells.size(), m_headerCells});
        }
    }

    void addItem(std::size_t group, const OrderItem& item)
    {
        if (!item.name.empty()) {
            m_result.groups[group].items.push_back(item);
        }
    }

    const ColumnMap& m_columns;
    std::size_t m_headerCells;
    Grouping m_result;
    std::unordered_map<DestinationKey, std::size_t, CellKeyHash> m_byDestination;
    std::unordered_map<OrderKey, std::size_t, CellKeyHash> m_lastOfOrder;
    std::optional<std::size_t> m_lastGroup; // the group the last row with a destination joined
};

} // namespace

Grouping GroupRows(std::span<const CsvRecord> rows, const ColumnMap& columns, std::size_t headerCells)
{
    Grouper grouper(columns, rows.size(), headerCells);
    for (const CsvRecord& row : rows) {
        grouper.add(row);
    }
    return grouper.take();
}

} // namespace batch
