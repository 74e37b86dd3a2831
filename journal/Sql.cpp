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

void Begin(QSqlDatabase& db)
{
    if (!db.transaction()) {
        fail(db.lastError());
    }
}

void Commit(QSqlDatabase& db)
{
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        fail(error);
    }
}

} // namespace journal::sql
