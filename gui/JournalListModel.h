#pragma once

#include "journal/JournalEntry.h"

#include <QAbstractTableModel>

#include <vector>

namespace journal {
class Journal;
}

// The journal's entries for a query, newest first, read a page at a time as the list is
// scrolled, so that a journal of any size opens at once.
class JournalListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kPageSize = 100;

    explicit JournalListModel(QObject* parent = nullptr);

    // Lists the entries of `journal` (not owned; nullptr lists nothing) for `query`.
    void setQuery(journal::Journal* journal, const journal::JournalQuery& query);
    const journal::JournalEntry* entryAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    std::vector<journal::JournalEntry> nextPage();

    journal::Journal* m_journal = nullptr;
    journal::JournalQuery m_query;
    std::vector<journal::JournalEntry> m_entries;
    bool m_complete = true;
};
