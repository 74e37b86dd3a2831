#include "journal/ServerAddress.h"

#include "journal/JournalEntry.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace journal {
namespace {

// Seconds to wait for a server that does not answer, unless the URI says otherwise.
const QString kConnectTimeout = QStringLiteral("10");

[[noreturn]] void refuse(const std::string& uri, const std::string& why)
{
    throw JournalError("journal server \"" + uri + "\": " + why);
}

// libpq's quoting of a value in a connection string.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QStringList optionsOf(const QUrl& url, const std::string& name)
{
    static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
    QStringList options;
    QStringList keys;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (!keyword.match(key).hasMatch()) {
            refuse(name, "\"" + key.toStdString() + "\" is no connection keyword");
        }
        if (key == QLatin1String("password")) {
            refuse(name, "a password belongs in ~/.pgpass, not in the address");
        }
        // Qt's driver reads ";" as the end of an option.
        if (value.contains(QLatin1Char(';'))) {
            refuse(name, "the value of " + key.toStdString() + " holds a \";\"");
        }
        options << key + QLatin1Char('=') + quoted(value);
        keys << key;
    }
    if (!keys.contains(QLatin1String("connect_timeout"))) {
        options << QStringLiteral("connect_timeout=") + kConnectTimeout;
    }
    if (!keys.contains(QLatin1String("application_name"))) {
        options << QStringLiteral("application_name='mivo_Kangaroo'");
    }
    return options;
}

} // namespace

ServerAddress ParseServerUri(const std::string& uri)
{
    const QUrl url(QString::fromStdString(uri), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))) {
        refuse(uri, "not a postgresql:// address");
    }
    if (!url.password().isEmpty()) {
        // The message must not repeat it.
        refuse(url.toDisplayString(QUrl::RemovePassword).toStdString(),
               "a password belongs in ~/.pgpass, not in the address");
    }
    QString database = url.path(QUrl::FullyDecoded);
    if (database.startsWith(QLatin1Char('/'))) {
        database.remove(0, 1);
    }
    ServerAddress server;
    server.host = url.host(QUrl::FullyDecoded);
    server.port = url.port();
    server.user = url.userName(QUrl::FullyDecoded);
    server.database = database;
    server.name = url.toDisplayString(QUrl::RemoveQuery | QUrl::RemovePassword).toStdString();
    server.options = optionsOf(url, server.name);
    return server;
}

void ConfigureConnection(QSqlDatabase& db, const ServerAddress& server)
{
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setUserName(server.user);
    db.setDatabaseName(server.database);
    db.setConnectOptions(server.options.join(QLatin1Char(';')));
}

} // namespace journal
