#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <string>

namespace journal {

// A PostgreSQL server named by a libpq connection URI (postgresql://user@host:port/database?
// key=value). The password is never part of it: libpq finds it in ~/.pgpass, PGPASSFILE or a
// service file, so no file of ours ever holds one.
struct ServerAddress
{
    QString host; // empty: libpq's default (its local socket)
    int port = -1;
    QString user;
    QString database;
    QStringList options; // further libpq keywords, each "key='value'"

    // What messages call the server: the URI without its query.
    std::string name;
};

// Throws JournalError naming the text when it is no postgresql:// URI libpq would take, or
// when it carries a password.
ServerAddress ParseServerUri(const std::string& uri);

// Points a QPSQL connection at the server.
void ConfigureConnection(QSqlDatabase& db, const ServerAddress& server);

} // namespace journal
