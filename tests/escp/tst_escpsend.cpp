#include "escp/EscpJob.h"
#include "printers/EPrinterAccess.h"
#include "printers/RawOutput.h"
#include "tests/support/CupsQueueSupport.h"
#include "tests/support/SampleSlip.h"

#include <QFile>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Sends direct printer streams to device files and raw CUPS queues of the private server.
namespace {

std::string sampleStream()
{
    return BuildEscpStream({SampleSlip(), SampleSlip()}, SlipPrintState{180, 180, 0, 100}, OutputMode::EscpText,
                           EscpForm{});
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEscpSend : public QObject
{
    Q_OBJECT

private slots:
    void deviceFileRefusedBeforeSending_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("directory") << "directory";
        QTest::newRow("FIFO without a reader") << "fifo";
        QTest::newRow("file without write permission") << "readonly";
    }
    void deviceFileRefusedBeforeSending()
    {
        QFETCH(QString, kind);
        if (kind == "readonly" && ::geteuid() == 0) {
            QSKIP("root writes any file");
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("lp0");
        if (kind == "directory") {
            QVERIFY(QDir(dir.path()).mkdir("lp0"));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (kind == "readonly") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner));
        }
        try {
            rawoutput::Send(path.toStdString(), "slip", sampleStream());
            QFAIL("the stream was taken");
        } catch (const EPrinterAccess& error) {
            QVERIFY2(std::string(error.what()).find(path.toStdString()) != std::string::npos, error.what());
        }
        QCOMPARE(QFileInfo(path).size() > 0 && kind != "directory", false);
    }

    void deviceFileReceivesTheWholeStream()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("lp0");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        const std::string stream = sampleStream();
        QCOMPARE(rawoutput::Send(path.toStdString(), "slip", stream), 0);
        QCOMPARE(readAll(path), QByteArray::fromStdString(stream));
        rawoutput::Send("/dev/null", "slip", stream);
    }

    // A raw job on a file: device leaves no file (cupsd runs no filter for it), so the queue
    // sends to a socket here, as to a network printer.
    void rawQueueReceivesTheStreamByteForByte()
    {
        if (cupsqueue::cupsState().isEmpty()) {
            QSKIP("needs the private CUPS server (scripts/cups-test-server)");
        }
        QTcpServer printer;
        QVERIFY(printer.listen(QHostAddress::LocalHost));
        const QString queue = QStringLiteral("mivo_escpsocket_%1").arg(QCoreApplication::applicationPid());
        QVERIFY(cupsqueue::run(
            "lpadmin",
            {"-p", queue, "-E", "-v", QStringLiteral("socket://127.0.0.1:%1").arg(printer.serverPort()), "-m", "raw"}));
        const auto removeQueue = qScopeGuard([&queue] { cupsqueue::run("lpadmin", {"-x", queue}); });
        const std::string stream = sampleStream();

        QVERIFY(rawoutput::Send(queue.toStdString(), "slip", stream) > 0);

        QVERIFY(printer.waitForNewConnection(30000));
        QTcpSocket* connection = printer.nextPendingConnection();
        QByteArray received;
        while (received.size() < static_cast<qsizetype>(stream.size()) && connection->waitForReadyRead(30000)) {
            received += connection->readAll();
        }
        connection->close();
        QCOMPARE(received, QByteArray::fromStdString(stream));
    }

    void queueRefusalIsReportedBeforeAJob_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("no such queue") << false;
        QTest::newRow("queue that rejects jobs") << true;
    }
    void queueRefusalIsReportedBeforeAJob()
    {
        QFETCH(bool, exists);
        if (cupsqueue::cupsState().isEmpty()) {
            QSKIP("needs the private CUPS server (scripts/cups-test-server)");
        }
        const cupsqueue::Queue queue("escpreject", {"-m", "raw"});
        QVERIFY(queue.created());
        QVERIFY(cupsqueue::run("cupsreject", {queue.name()}));
        const std::string name = exists ? queue.name().toStdString() : "mivo_no_such_queue";
        QVERIFY_THROWS_EXCEPTION(EPrinterAccess, rawoutput::Send(name, "slip", sampleStream()));
        QCOMPARE(queue.jobCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEscpSend)
#include "tst_escpsend.moc"
