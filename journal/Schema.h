#pragma once

#include <QSqlDatabase>

// The journal's tables and their versions, the same on an SQLite file and a PostgreSQL server;
// only the words the two dialects spell differently differ. Each step takes the journal from
// one version to the next inside its own transaction, so an interrupted upgrade leaves the
// previous version.
namespace journal::schema {

inline constexpr int kCurrentVersion = 5;
// The first version whose entries carry their own id and the sending process.
inline constexpr int kEntryIdsVersion = 2;
// The first version whose entries carry a tracking number and their shipped reports.
inline constexpr int kTrackingVersion = 3;
// The first version whose entries name the station that wrote them.
inline constexpr int kStationVersion = 4;
// The first version with the claims of the orders batches are about to print.
inline constexpr int kClaimsVersion = 5;

// 0 for a file, or a server's schema, without tables. Throws JournalError for a database that
// is no journal of ours.
int VersionOf(QSqlDatabase& db);
// Runs the steps from `version` to kCurrentVersion.
void Upgrade(QSqlDatabase& db, int version);

} // namespace journal::schema
