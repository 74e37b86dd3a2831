#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>

#include <stdexcept>

Q_LOGGING_CATEGORY(lcInstance, "mivo.instance", QtWarningMsg)

namespace {
constexpr int kConnectTimeoutMs = 2000;
constexpr int kLockTimeoutMs = 10000;

QString userName()
{
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"));
    return user.isEmpty() ? QDir::homePath() : user;
}
} // namespace

SingleInstance::SingleInstance(const QString& title, QObject* parent)
    : QObject(parent), m_name(serverName(title)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& title)
{
    // The title is not ASCII and socket names become file names: hash it with the user.
    const QByteArray key = (title + QLatin1Char('\n') + userName()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("mivo_Kangaroo-") + QString::fromLatin1(digest);
}

bool SingleInstance::claim()
{
    QLockFile lock(QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".lock")));
    if (!lock.tryLock(kLockTimeoutMs)) {
        throw std::runtime_error("SingleInstance: cannot lock " + lock.fileName().toStdString());
    }

    QLocalSocket running;
    running.connectToServer(m_name);
    if (running.waitForConnected(kConnectTimeoutMs)) {
        running.write("raise\n");
        running.waitForBytesWritten(kConnectTimeoutMs);
        running.disconnectFromServer();
        return false;
    }

    // Nobody answers: a socket file left by a crashed instance would block listening.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) {
        throw std::runtime_error("SingleInstance: cannot listen as " + m_name.toStdString() + ": " +
                                 m_server->errorString().toStdString());
    }
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        qCDebug(lcInstance) << "activation requested";
        emit activationRequested();
    }
}
