#include "journal/ServerProbe.h"

#include "journal/JournalEntry.h"
#include "journal/Schema.h"
#include "journal/ServerAddress.h"
#include "journal/Sql.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace journal {
namespace {

ServerAnswer ask(QSqlDatabase& db)
{
    if (!db.open()) {
        throw JournalError(db.lastError().text().toStdString());
    }
    ServerAnswer answer;
    QSqlQuery version = sql::Run(db, QStringLiteral("SELECT version()"));
    if (version.next()) {
        answer.serverVersion = version.value(0).toString().toStdString();
    }
    answer.journalVersion = schema::VersionOf(db);
    return answer;
}

} // namespace

ServerAnswer ProbeServer(const std::string& uri)
{
    const ServerAddress server = ParseServerUri(uri);
    static std::atomic<int> counter{0};
    const QString connection = QStringLiteral("mivo_probe_%1").arg(++counter);
    std::string failure;
    ServerAnswer answer;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        ConfigureConnection(db, server);
        try {
            answer = ask(db);
        } catch (const JournalError& error) {
            failure = error.what();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!failure.empty()) {
        throw JournalError("journal server " + server.name + ": " + failure);
    }
    return answer;
}

} // namespace journal
