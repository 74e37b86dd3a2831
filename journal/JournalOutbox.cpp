#include "journal/Journal.h"
#include "journal/Sql.h"

#include <QSqlQuery>
#include <QUuid>

// The outbox lives in the file only: a server never keeps entries for another one, and a
// program that does not know the table reads the file as before.
namespace journal {

std::vector<std::int64_t> Journal::keepForServer(const std::vector<JournalEntry>& entries)
{
    if (m_server) {
        throw JournalError(m_name + ": a server's journal keeps no entries for another");
    }
    prepareForWriting();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    std::vector<std::int64_t> ids;
    ids.reserve(entries.size());
    sql::InTransaction(m_db, [&] {
        sql::Execute(m_db, QStringLiteral("CREATE TABLE IF NOT EXISTS outbox"
                                          " (entry_uuid TEXT PRIMARY KEY, kept_at INTEGER NOT NULL)"));
        for (JournalEntry entry : entries) {
            if (entry.uuid.empty()) {
                entry.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
            }
            ids.push_back(insert(entry, entry.time.isValid() ? entry.time : QDateTime::currentDateTime(), {}));
            sql::Execute(m_db, QStringLiteral("INSERT INTO outbox (entry_uuid, kept_at) VALUES (?, ?)"),
                         {QString::fromStdString(entry.uuid), now});
        }
    });
    return ids;
}

bool Journal::hasOutbox()
{
    if (m_server) {
        return false;
    }
    QSqlQuery table =
        sql::Run(m_db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'outbox'"));
    return table.next();
}

std::vector<JournalEntry> Journal::keptForServer()
{
    std::vector<JournalEntry> entries;
    if (!hasOutbox()) {
        return entries;
    }
    QSqlQuery rows =
        sql::Run(m_db, QStringLiteral("SELECT %1 FROM jobs WHERE entry_uuid IN (SELECT entry_uuid FROM outbox)"
                                      " ORDER BY (SELECT rowid FROM outbox WHERE outbox.entry_uuid ="
                                      " jobs.entry_uuid)")
                           .arg(columns()));
    while (rows.next()) {
        entries.push_back(entryFrom(rows));
    }
    return entries;
}

std::int64_t Journal::keptCount()
{
    if (!hasOutbox()) {
        return 0;
    }
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT count(*) FROM outbox"));
    return row.next() ? row.value(0).toLongLong() : 0;
}

void Journal::sentToServer(const std::string& uuid)
{
    if (!hasOutbox()) {
        return;
    }
    prepareForWriting();
    sql::Execute(m_db, QStringLiteral("DELETE FROM outbox WHERE entry_uuid = ?"), {QString::fromStdString(uuid)});
}

} // namespace journal
