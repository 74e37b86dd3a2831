#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>

// Statements with bound values only; a failure becomes a JournalError naming the database's
// own complaint.
namespace journal::sql {

QSqlQuery Run(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values = {});
void Execute(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values = {});

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
