#include "gui/JournalListModel.h"

#include "journal/Journal.h"

namespace {

enum Column
{
    Time,
    Status,
    Name,
    Tel,
    Zip,
    Address,
    Goods,
    Order,
    Tracking,
    Exported,
    Printer,
    ColumnCount
};

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString statusText(journal::JobStatus status)
{
    switch (status) {
    case journal::JobStatus::Printed:
        return QStringLiteral("印刷");
    case journal::JobStatus::Failed:
        return QStringLiteral("失敗");
    case journal::JobStatus::Aborted:
        return QStringLiteral("中止");
    case journal::JobStatus::Sending:
        return QStringLiteral("送信中");
    case journal::JobStatus::Unknown:
        return QStringLiteral("印刷済みか不明");
    }
    return {};
}

} // namespace

JournalListModel::JournalListModel(QObject* parent) : QAbstractTableModel(parent) {}

void JournalListModel::setQuery(journal::Journal* journal, const journal::JournalQuery& query)
{
    journal::JournalQuery first = query;
    first.limit = kPageSize;
    first.beforeId = 0;
    // Read before the reset: a journal that fails leaves the list as it was.
    std::vector<journal::JournalEntry> page =
        journal != nullptr ? journal->search(first) : std::vector<journal::JournalEntry>{};
    beginResetModel();
    m_journal = journal;
    m_query = first;
    m_complete = static_cast<int>(page.size()) < kPageSize;
    m_entries = std::move(page);
    endResetModel();
}

const journal::JournalEntry* JournalListModel::entryAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_entries.size()) ? &m_entries[static_cast<std::size_t>(row)] : nullptr;
}

std::vector<journal::JournalEntry> JournalListModel::nextPage()
{
    if (m_complete || m_entries.empty()) {
        return {};
    }
    m_query.beforeId = m_entries.back().id;
    std::vector<journal::JournalEntry> page;
    try {
        page = m_journal->search(m_query);
    } catch (const journal::JournalError&) {
        // The view asks while scrolling; a journal that fails now simply ends the list.
    }
    m_complete = static_cast<int>(page.size()) < kPageSize;
    return page;
}

int JournalListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int JournalListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalListModel::data(const QModelIndex& index, int role) const
{
    const journal::JournalEntry* entry = entryAt(index.row());
    if (entry == nullptr || role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case Time:
        return entry->time.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    case Status:
        return statusText(entry->status);
    case Name:
        return text(entry->slip.recipient.name);
    case Tel:
        return text(entry->slip.recipient.tel);
    case Zip:
        return text(entry->slip.recipient.zip);
    case Address:
        return text(entry->slip.recipient.address1 + entry->slip.recipient.address2);
    case Goods:
        return text(entry->slip.goods[0]);
    case Order:
        return text(entry->orderNumber);
    case Tracking:
        return text(entry->trackingNumber);
    case Exported:
        return entry->exportedTo.empty() ? QString() : QStringLiteral("出力済み");
    case Printer:
        return text(entry->printer);
    default:
        return {};
    }
}

QVariant JournalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kTitles[ColumnCount] = {"日時", "状態",     "お届け先",     "電話番号", "郵便番号", "住所",
                                                     "品名", "注文番号", "お問合せ番号", "発送完了", "プリンタ"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromUtf8(kTitles[section]);
}

bool JournalListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_complete;
}

void JournalListModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid()) {
        return;
    }
    std::vector<journal::JournalEntry> page = nextPage();
    if (page.empty()) {
        return;
    }
    const int first = static_cast<int>(m_entries.size());
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    m_entries.insert(m_entries.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    endInsertRows();
}
