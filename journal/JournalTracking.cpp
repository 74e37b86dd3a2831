#include "journal/Journal.h"
#include "journal/Schema.h"
#include "journal/Sql.h"

#include <algorithm>
#include <set>

namespace journal {
namespace {

QVariant idValue(std::int64_t id)
{
    return QVariant::fromValue<qint64>(id);
}

qint64 startOf(const QDate& date)
{
    return date.startOfDay().toMSecsSinceEpoch();
}

// Numbers given twice in one action are refused before anything is written.
void refuseRepeatedNumbers(const std::vector<TrackingAssignment>& assignments)
{
    std::set<std::string> seen;
    for (const TrackingAssignment& assignment : assignments) {
        if (!assignment.number.empty() && !seen.insert(assignment.number).second) {
            throw TrackingNumberTaken(assignment.number, assignment.id);
        }
    }
}

} // namespace

TrackingNumberTaken::TrackingNumberTaken(const std::string& number, std::int64_t holder)
    : JournalError("the tracking number " + number + " is already on entry " + std::to_string(holder)), m_holder(holder)
{}

NoSuchEntry::NoSuchEntry(std::int64_t id) : JournalError("no journal entry " + std::to_string(id)) {}

void Journal::setTrackingNumbers(const std::vector<TrackingAssignment>& assignments)
{
    refuseRepeatedNumbers(assignments);
    prepareForWriting();
    sql::InTransaction(m_db, [&] {
        // Numbers are cleared first, so that numbers can move between entries of one action.
        for (const TrackingAssignment& assignment : assignments) {
            const QSqlQuery cleared = sql::Run(
                m_db, QStringLiteral("UPDATE jobs SET tracking_number = '' WHERE id = ?"), {idValue(assignment.id)});
            if (cleared.numRowsAffected() == 0) {
                throw NoSuchEntry(assignment.id);
            }
        }
        for (const TrackingAssignment& assignment : assignments) {
            if (assignment.number.empty()) {
                continue;
            }
            if (const std::optional<std::int64_t> holder = holderOf(assignment.number)) {
                throw TrackingNumberTaken(assignment.number, *holder);
            }
            sql::Execute(m_db, QStringLiteral("UPDATE jobs SET tracking_number = ? WHERE id = ?"),
                         {QString::fromStdString(assignment.number), idValue(assignment.id)});
        }
    });
}

std::optional<std::int64_t> Journal::holderOf(const std::string& trackingNumber)
{
    // A journal of an older layout, opened for reading, holds no numbers yet.
    if (trackingNumber.empty() || m_version < schema::kTrackingVersion) {
        return std::nullopt;
    }
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT id FROM jobs WHERE tracking_number = ?"),
                             {QString::fromStdString(trackingNumber)});
    if (!row.next()) {
        return std::nullopt;
    }
    return row.value(0).toLongLong();
}

std::optional<std::int64_t> Journal::lastPrintedOfOrder(const std::string& orderNumber)
{
    QSqlQuery row = sql::Run(
        m_db,
        QStringLiteral("SELECT max(id) FROM jobs WHERE order_number = ? AND status = 'printed' AND order_number <> ''"),
        {QString::fromStdString(orderNumber)});
    if (!row.next() || row.value(0).isNull()) {
        return std::nullopt;
    }
    return row.value(0).toLongLong();
}

std::vector<ShipmentRecord> Journal::shipments(const QDate& from, const QDate& to)
{
    const QString number =
        m_version >= schema::kTrackingVersion ? QStringLiteral("tracking_number") : QStringLiteral("''");
    QSqlQuery rows = sql::Run(m_db,
                              QStringLiteral("SELECT id, printed_at, order_number, %1 FROM jobs"
                                             " WHERE printed_at >= ? AND printed_at < ? AND status = 'printed'"
                                             " ORDER BY id")
                                  .arg(number),
                              {startOf(from), startOf(to.addDays(1))});
    std::vector<ShipmentRecord> records;
    while (rows.next()) {
        records.push_back({rows.value(0).toLongLong(),
                           QDateTime::fromMSecsSinceEpoch(rows.value(1).toLongLong()).toLocalTime(),
                           rows.value(2).toString().toStdString(), rows.value(3).toString().toStdString()});
    }
    return records;
}

std::vector<JournalEntry> Journal::printedOn(const QDate& from, const QDate& to)
{
    JournalQuery query;
    query.from = from;
    query.to = to;
    std::vector<JournalEntry> entries = search(query);
    std::erase_if(entries, [](const JournalEntry& entry) { return entry.status != JobStatus::Printed; });
    std::reverse(entries.begin(), entries.end());
    return entries;
}

void Journal::markExported(const std::vector<std::int64_t>& ids, const std::string& platform)
{
    prepareForWriting();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    sql::InTransaction(m_db, [&] {
        for (const std::int64_t id : ids) {
            sql::Execute(
                m_db,
                QStringLiteral("INSERT INTO exports (job_id, platform, exported_at) VALUES (?, ?, ?)"
                               " ON CONFLICT (job_id, platform) DO UPDATE SET exported_at = excluded.exported_at"),
                {idValue(id), QString::fromStdString(platform), now});
        }
    });
}

} // namespace journal
