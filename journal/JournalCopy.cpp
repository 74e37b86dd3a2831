#include "journal/Journal.h"
#include "journal/Sql.h"

#include <QSqlQuery>

namespace journal {
namespace {

// Only a "sending" entry takes a copy's ending; one that has its own keeps it.
const QString kCopyJob = QStringLiteral(
    " ON CONFLICT (entry_uuid) DO UPDATE SET status = excluded.status, message = excluded.message,"
    " cups_job_id = excluded.cups_job_id, pdf_file = excluded.pdf_file, printed_at = excluded.printed_at,"
    " sending_process = '' WHERE jobs.status = 'sending' AND excluded.status <> 'sending'"
    " RETURNING id, (xmax = 0)");

QVariant idValue(std::int64_t id)
{
    return QVariant::fromValue<qint64>(id);
}

} // namespace

Journal::Copied Journal::copyIn(const JournalEntry& entry)
{
    if (!sql::OnServer(m_db)) {
        throw JournalError(m_name + ": entries are copied to a server's journal only");
    }
    if (entry.uuid.empty()) {
        throw JournalError(m_name + ": an entry without its uuid cannot be copied once only");
    }
    prepareForWriting();
    Copied copied = Copied::AlreadyThere;
    withConnection([&] {
        sql::InTransaction(m_db, [&] {
            const QDateTime time = entry.time.isValid() ? entry.time : QDateTime::currentDateTime();
            QSqlQuery row = sql::Run(m_db, kInsertJob + kCopyJob, rowValues(entry, time, {}));
            if (!row.next()) {
                copied = Copied::AlreadyThere;
                return;
            }
            const std::int64_t id = row.value(0).toLongLong();
            if (!row.value(1).toBool()) {
                copied = Copied::Completed;
                return;
            }
            copied = Copied::Added;
            insertSearch(id, entry);
            copyShipping(id, entry);
        });
    });
    return copied;
}

std::string Journal::uuidOf(std::int64_t id)
{
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT entry_uuid FROM jobs WHERE id = ?"), {idValue(id)});
    return row.next() ? row.value(0).toString().toStdString() : std::string();
}

std::int64_t Journal::idOf(const std::string& uuid)
{
    QSqlQuery row =
        sql::Run(m_db, QStringLiteral("SELECT id FROM jobs WHERE entry_uuid = ?"), {QString::fromStdString(uuid)});
    return row.next() ? row.value(0).toLongLong() : 0;
}

// A tracking number another entry holds on the server stays with that one.
void Journal::copyShipping(std::int64_t id, const JournalEntry& entry)
{
    if (!entry.trackingNumber.empty()) {
        const QString number = QString::fromStdString(entry.trackingNumber);
        sql::Execute(m_db,
                     QStringLiteral("UPDATE jobs SET tracking_number = ? WHERE id = ?"
                                    " AND NOT EXISTS (SELECT 1 FROM jobs WHERE tracking_number = ?)"),
                     {number, idValue(id), number});
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (const std::string& platform : entry.exportedTo) {
        sql::Execute(m_db,
                     QStringLiteral("INSERT INTO exports (job_id, platform, exported_at) VALUES (?, ?, ?)"
                                    " ON CONFLICT (job_id, platform) DO NOTHING"),
                     {idValue(id), QString::fromStdString(platform), now});
    }
}

} // namespace journal
