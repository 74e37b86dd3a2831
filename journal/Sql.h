#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <vector>

// Statements with bound values only; a failure becomes a JournalError naming the database's
// own complaint.
namespace journal::sql {

QSqlQuery Run(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values = {});
QSqlQuery Run(QSqlDatabase& db, const QString& statement, const std::vector<QVariant>& values);
void Execute(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values = {});

// Whether the connection is to a PostgreSQL server rather than an SQLite file.
bool OnServer(const QSqlDatabase& db);

void Begin(QSqlDatabase& db);
void Commit(QSqlDatabase& db);
// Leaves a transaction, if one is open.
void Rollback(QSqlDatabase& db);

// Runs `steps` in one transaction; rolls back and rethrows when a step fails.
template <typename Steps> void InTransaction(QSqlDatabase& db, Steps&& steps)
{
    Begin(db);
    try {
        steps();
    } catch (...) {
        Rollback(db);
        throw;
    }
    Commit(db);
}

} // namespace journal::sql
