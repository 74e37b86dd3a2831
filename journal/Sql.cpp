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
    QSqlQuery query(db);
    query.setForwardOnly(true);
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

// Every transaction writes: taking the write lock at its start lets a busy journal wait for
// it, where a read lock turned write lock would fail at once when another writer came first.
void Begin(QSqlDatabase& db)
{
    Execute(db, QStringLiteral("BEGIN IMMEDIATE"));
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
