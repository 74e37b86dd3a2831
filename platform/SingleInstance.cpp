#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>

#include <stdexcept>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

Q_LOGGING_CATEGORY(lcInstance, "mivo.instance", QtWarningMsg)

namespace {
constexpr int kConnectTimeoutMs = 2000;
constexpr int kLockTimeoutMs = 10000;

constexpr int kLockRetryMs = 10;

#ifdef Q_OS_UNIX
// Serialises the look-up and the listening of starts at the same moment. A plain advisory lock:
// the kernel releases it when the process ends, so it never goes stale, and unlike QLockFile it
// writes nothing to disk, whose flush cost a busy disk's worth of milliseconds at every start.
// The file itself stays, empty: removing it would let two starts lock two different files.
class ClaimLock
{
public:
    explicit ClaimLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {}
    ClaimLock(const ClaimLock&) = delete;
    ClaimLock& operator=(const ClaimLock&) = delete;
    ~ClaimLock()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    bool tryLock(int timeoutMs)
    {
        for (int waited = 0; m_fd >= 0; waited += kLockRetryMs) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                return true;
            }
            if (errno != EWOULDBLOCK || waited >= timeoutMs) {
                return false;
            }
            QThread::msleep(kLockRetryMs);
        }
        return false;
    }

private:
    int m_fd;
};
#else
using ClaimLock = QLockFile;
#endif

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
    // Not the ".lock" name of earlier versions: their lock file counted an empty file of that
    // name as held by a running program for half a minute.
    const QString lockPath = QDir(QDir::tempPath()).filePath(m_name + QStringLiteral(".claim"));
    ClaimLock lock(lockPath);
    if (!lock.tryLock(kLockTimeoutMs)) {
        throw std::runtime_error("SingleInstance: cannot lock " + lockPath.toStdString());
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
