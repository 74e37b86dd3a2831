#include "journal/Sql.h"

#include "journal/JournalEntry.h"

#include <QSqlError>

namespace journal::sql {
namespace {

[[noreturn]] void fail(const QSqlError& error)
{
    throw JournalError(error.text().toStdString());
}

} // namespace

QSqlQuery Run(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values)
{
    return Run(db, statement, std::vector<QVariant>(values));
}

QSqlQuery Run(QSqlDatabase& db, const QString& statement, const std::vector<QVariant>& values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Qt prepares for PostgreSQL with PREPARE, which takes no DDL and no transaction control;
    // a statement without values needs no preparing on either engine.
    if (values.empty()) {
        if (!query.exec(statement)) {
            fail(query.lastError());
        }
        return query;
    }
    if (!query.prepare(statement)) {
        fail(query.lastError());
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        fail(query.lastError());
    }
    return query;
}

void Execute(QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values)
{
    Run(db, statement, values);
}

bool OnServer(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

// Every transaction writes: taking SQLite's write lock at its start lets a busy journal wait for
// it, where a read lock turned write lock would fail at once when another writer came first.
// The server locks the rows a transaction writes as it writes them.
void Begin(QSqlDatabase& db)
{
    Execute(db, OnServer(db) ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

void Commit(QSqlDatabase& db)
{
    try {
        Execute(db, QStringLiteral("COMMIT"));
    } catch (const JournalError&) {
        Rollback(db);
        throw;
    }
}

void Rollback(QSqlDatabase& db)
{
    QSqlQuery(QStringLiteral("ROLLBACK"), db);
}

} // namespace journal::sql
