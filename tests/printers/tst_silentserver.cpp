#include "printers/CupsDestinations.h"
#include "printers/CupsPrinterService.h"
#include "printers/EPrinterAccess.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <cups/cups.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Far above the bounded waits, far below libcups' own minute: a call that returns within it
// gave up by itself.
constexpr qint64 kBoundMilliseconds = 15000;

// A loopback port that takes connections (the kernel completes them) and never answers.
class SilentServer
{
public:
    SilentServer()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(m_socket, 16);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(m_socket); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    quint16 port() const { return m_port; }
    // The connections made so far, taken off the queue.
    int takeConnections() const
    {
        int count = 0;
        for (int client = -1; (client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ++count) {
            ::close(client);
        }
        return count;
    }

private:
    int m_socket = -1;
    quint16 m_port = 0;
};

// Passes connections on to the real server, counting them and the requests on them.
class CountingProxy : public QObject
{
public:
    explicit CountingProxy(const QString& upstream)
    {
        const int colon = upstream.lastIndexOf(':');
        m_host = upstream.left(colon);
        m_port = upstream.mid(colon + 1).toUShort();
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = m_server.nextPendingConnection()) {
                ++m_connections;
                auto* server = new QTcpSocket(client);
                server->connectToHost(m_host, m_port);
                connect(client, &QTcpSocket::readyRead, server, [this, client, server] {
                    const QByteArray data = client->readAll();
                    m_requests += static_cast<int>(data.count("POST "));
                    server->write(data);
                });
                connect(server, &QTcpSocket::readyRead, client, [client, server] { client->write(server->readAll()); });
                connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    int connections() const { return m_connections; }
    int requests() const { return m_requests; }

private:
    QTcpServer m_server;
    QString m_host;
    quint16 m_port = 0;
    int m_connections = 0;
    int m_requests = 0;
};

void UseServer(quint16 port)
{
    // Threads read the address from the environment; this thread's cached one is dropped.
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(port));
    cupsSetServer(nullptr);
}

} // namespace

// A print server that accepts connections and never answers must not hold the program up.
class TestSilentServer : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_upstream = qgetenv("CUPS_SERVER"); }
    void cleanup() { qputenv("CUPS_SERVER", m_upstream); }
    void lookGivesUp();
    void firstLookIsNotRepeated();
    void pollKeepsOneConnection();

private:
    QByteArray m_upstream;
};

void TestSilentServer::lookGivesUp()
{
    SilentServer server;
    UseServer(server.port());
    QElapsedTimer timer;
    timer.start();
    QVERIFY_THROWS_EXCEPTION(EPrinterAccessServerError, cupsdest::ListQueues());
    QVERIFY(timer.elapsed() < kBoundMilliseconds);
    QCOMPARE(server.takeConnections(), 1);
}

void TestSilentServer::firstLookIsNotRepeated()
{
    SilentServer server;
    UseServer(server.port());
    QTemporaryDir folder;
    // A poll that has not yet come: the window stands on the first look alone.
    CupsPrinterService service(folder.filePath("slips"), 3'600'000);
    QElapsedTimer timer;
    timer.start();
    // The built-in printer alone, the server's failure kept.
    QCOMPARE(service.enumPrinters().size(), std::size_t{1});
    QVERIFY(service.enumPorts().size() <= 1);
    QVERIFY(!service.serverFailure().empty());
    QVERIFY(timer.elapsed() < kBoundMilliseconds);
    QCOMPARE(server.takeConnections(), 1);
}

void TestSilentServer::pollKeepsOneConnection()
{
    if (qEnvironmentVariableIsEmpty("MIVO_TEST_CUPS_STATE")) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
    CountingProxy proxy(QString::fromLocal8Bit(m_upstream));
    UseServer(proxy.port());
    QTemporaryDir folder;
    {
        CupsPrinterService service(folder.filePath("slips"), 50);
        QTRY_VERIFY_WITH_TIMEOUT(proxy.requests() >= 20, 30000);
    }
    // The first look's connection and the poll's own.
    QVERIFY2(proxy.connections() <= 2, qPrintable(QString::number(proxy.connections())));
}

QTEST_GUILESS_MAIN(TestSilentServer)
#include "tst_silentserver.moc"
