#pragma once

#include <QSqlDatabase>

// The journal's tables and their versions. Each step takes the file from one version to the
// next inside its own transaction, so an interrupted upgrade leaves the previous version.
namespace journal::schema {

inline constexpr int kCurrentVersion = 2;

// 0 for a file without tables. Throws JournalError for a file that is no journal of ours.
int VersionOf(QSqlDatabase& db);
// Runs the steps from `version` to kCurrentVersion.
void Upgrade(QSqlDatabase& db, int version);

} // namespace journal::schema
