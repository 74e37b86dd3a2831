#include "journal/Schema.h"

#include "journal/JournalEntry.h"
#include "journal/Sql.h"

#include <QStringList>

namespace journal::schema {
namespace {

const QString kApplication = QStringLiteral("mivo_Kangaroo print journal");

// Version 1: the jobs with their slips as JSON, and the search index over the fields a
// user looks for.
void createJobs(QSqlDatabase& db)
{
    const QStringList statements{
        QStringLiteral("CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE jobs ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " printed_at INTEGER NOT NULL," // milliseconds since 1970, UTC
                       " status TEXT NOT NULL,"
                       " message TEXT NOT NULL,"
                       " printer TEXT NOT NULL,"
                       " paper_feed TEXT NOT NULL,"
                       " cups_job_id INTEGER NOT NULL,"
                       " pdf_file TEXT NOT NULL,"
                       " order_number TEXT NOT NULL,"
                       " reprint_of INTEGER NOT NULL,"
                       " slip_key TEXT NOT NULL,"
                       " fields TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX jobs_time ON jobs (printed_at)"),
        QStringLiteral("CREATE INDEX jobs_order ON jobs (order_number, status)"),
        QStringLiteral("CREATE INDEX jobs_slip ON jobs (slip_key, printed_at)"),
        QStringLiteral("CREATE VIRTUAL TABLE search USING fts5 (pairs, singles, "
                       "tokenize = 'unicode61 remove_diacritics 0')"),
    };
    for (const QString& statement : statements) {
        sql::Execute(db, statement);
    }
    sql::Execute(db, QStringLiteral("INSERT INTO meta (key, value) VALUES ('application', ?), ('version', '0')"),
                 {kApplication});
}

// Version 2: every entry gets an id of its own that stays the same wherever the entry is
// copied, and a job still being sent names the process sending it, so that one cut off
// mid-job can be told from one in progress. Entries written before get a random id now.
void addEntryIdsAndSenders(QSqlDatabase& db)
{
    const QStringList statements{
        QStringLiteral("ALTER TABLE jobs ADD COLUMN entry_uuid TEXT"),
        QStringLiteral("ALTER TABLE jobs ADD COLUMN sending_process TEXT NOT NULL DEFAULT ''"),
        // A version 4 UUID from SQLite's random bytes, as QUuid writes them.
        QStringLiteral("UPDATE jobs SET entry_uuid = lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||"
                       " substr(hex(randomblob(2)), 2) || '-' || substr('89ab', 1 + (abs(random()) % 4), 1) ||"
                       " substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))"),
        QStringLiteral("CREATE UNIQUE INDEX jobs_uuid ON jobs (entry_uuid)"),
    };
    for (const QString& statement : statements) {
        sql::Execute(db, statement);
    }
}

// Version 3: tracking numbers and the shops each entry was reported to as shipped. Entries written
// before have no number (''); a number names one entry only, but many entries have none.
void addTracking(QSqlDatabase& db)
{
    const QStringList statements{
        QStringLiteral("ALTER TABLE jobs ADD COLUMN tracking_number TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("CREATE UNIQUE INDEX jobs_tracking ON jobs (tracking_number) WHERE tracking_number <> ''"),
        QStringLiteral("CREATE TABLE exports ("
                       " job_id INTEGER NOT NULL,"
                       " platform TEXT NOT NULL,"
                       " exported_at INTEGER NOT NULL," // milliseconds since 1970, UTC
                       " PRIMARY KEY (job_id, platform)) WITHOUT ROWID"),
    };
    for (const QString& statement : statements) {
        sql::Execute(db, statement);
    }
}

using Step = void (*)(QSqlDatabase&);
// Step i takes version i to version i + 1.
const Step kSteps[kCurrentVersion] = {createJobs, addEntryIdsAndSenders, addTracking};

} // namespace

int VersionOf(QSqlDatabase& db)
{
    QSqlQuery tables = sql::Run(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!tables.next() || tables.value(0).toInt() == 0) {
        return 0;
    }
    QSqlQuery owner =
        sql::Run(db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'meta'"));
    if (!owner.next() || owner.value(0).toInt() == 0) {
        throw JournalError("the file is not a print journal");
    }
    QSqlQuery application = sql::Run(db, QStringLiteral("SELECT value FROM meta WHERE key = 'application'"));
    if (!application.next() || application.value(0).toString() != kApplication) {
        throw JournalError("the file is not a print journal");
    }
    QSqlQuery version = sql::Run(db, QStringLiteral("SELECT value FROM meta WHERE key = 'version'"));
    bool ok = false;
    const int number = version.next() ? version.value(0).toString().toInt(&ok) : 0;
    if (!ok || number < 0) {
        throw JournalError("the journal's version is unreadable");
    }
    return number;
}

void Upgrade(QSqlDatabase& db, int version)
{
    for (int step = version; step < kCurrentVersion; ++step) {
        sql::InTransaction(db, [&] {
            // Another process may have taken the step since the version was read.
            if (VersionOf(db) > step) {
                return;
            }
            kSteps[step](db);
            sql::Execute(db, QStringLiteral("UPDATE meta SET value = ? WHERE key = 'version'"),
                         {QString::number(step + 1)});
        });
    }
}

} // namespace journal::schema
