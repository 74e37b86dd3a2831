#pragma once

#include "journal/JournalEntry.h"
#include "journal/ServerAddress.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>
#include <string>

// A database of its own on the private PostgreSQL server the tests run beside
// (scripts/pg-test-server, MIVO_TEST_PG_URI), dropped again at the end. Without the server
// available() is false and the test skips.
class ScratchDatabase
{
public:
    ScratchDatabase()
    {
        const QString admin = qEnvironmentVariable("MIVO_TEST_PG_URI");
        if (admin.isEmpty()) {
            return;
        }
        static std::atomic<int> counter{0};
        m_name = QStringLiteral("mivo_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        QUrl url(admin);
        url.setPath(QLatin1Char('/') + m_name);
        m_uri = url.toString();
        m_admin = connectTo(admin.toStdString(), QStringLiteral("admin_") + m_name);
        m_available = m_admin.isOpen() && QSqlQuery(m_admin).exec(QStringLiteral("CREATE DATABASE ") + m_name);
        if (m_available) {
            m_db = connectTo(m_uri.toStdString(), m_name);
        }
    }
    ~ScratchDatabase()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        if (m_available) {
            QSqlQuery(m_admin).exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
        }
        m_admin.close();
        m_admin = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("admin_") + m_name);
    }
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    bool available() const { return m_available; }
    // The scratch database's URI, for the journal.
    std::string uri() const { return m_uri.toStdString(); }
    // The answer to a statement run on the scratch database from outside the journal; the
    // first column of its first row, or an error's text.
    QString query(const QString& statement)
    {
        QSqlQuery query(m_db);
        if (!query.exec(statement)) {
            return query.lastError().text();
        }
        return query.next() ? query.value(0).toString() : QString();
    }

private:
    static QSqlDatabase connectTo(const std::string& uri, const QString& connection)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        journal::ConfigureConnection(db, journal::ParseServerUri(uri));
        db.open();
        return db;
    }

    QString m_name;
    QString m_uri;
    QSqlDatabase m_admin;
    QSqlDatabase m_db;
    bool m_available = false;
};
