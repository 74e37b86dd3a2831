#include "platform/Cp932.h"
#include "tests/support/CupsQueueSupport.h"
#include "tests/support/EscpDecoder.h"
#include "tests/support/ProgramRun.h"

#include <QFile>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// `print`, `batch` and the journal of a feed registered for direct output, run as the shop
// runs them: the stream read back from a device file and from a raw queue of the private
// CUPS server (sending to a socket: cupsd writes nothing for raw jobs on a file: device).
namespace {

const QString kRakuten = QStringLiteral(BATCH_DATA_DIR "/rakuten-cp932.csv");
const QString kSenderName = QStringLiteral("西濃商店");
constexpr int kContinuousDots = 720;

bool writeCp932(const QString& path, const QString& text)
{
    QFile file(path);
    const std::string bytes = cp932::FromUtf8(text.toStdString());
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

QRect inkBox(const QImage& form)
{
    QRect box;
    for (int y = 0; y < form.height(); ++y) {
        for (int x = 0; x < form.width(); ++x) {
            if (form.pixelIndex(x, y) == 1) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Where the feed's slips went: a device file, or a raw queue whose printer is a socket here.
class Printer
{
public:
    explicit Printer(bool queue) : m_queue(queue)
    {
        if (!queue) {
            QFile file(m_dir.filePath("lp0"));
            m_ready = file.open(QIODevice::WriteOnly);
            m_name = m_dir.filePath("lp0");
            return;
        }
        m_name = QStringLiteral("mivo_escpprint_%1").arg(QCoreApplication::applicationPid());
        m_ready = m_socket.listen(QHostAddress::LocalHost) &&
                  cupsqueue::run("lpadmin",
                                 {"-p", m_name, "-E", "-v",
                                  QStringLiteral("socket://127.0.0.1:%1").arg(m_socket.serverPort()), "-m", "raw"});
    }
    ~Printer()
    {
        if (m_queue) {
            cupsqueue::run("lpadmin", {"-x", m_name});
        }
    }
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    bool ready() const { return m_ready; }
    const QString& name() const { return m_name; }

    // What reached the printer for one job; for a queue, once the job's connection closed.
    QByteArray received()
    {
        if (!m_queue) {
            QFile file(m_name);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        if (!m_socket.waitForNewConnection(30000)) {
            return {};
        }
        QTcpSocket* connection = m_socket.nextPendingConnection();
        QByteArray bytes;
        while (connection->state() == QAbstractSocket::ConnectedState && connection->waitForReadyRead(5000)) {
            bytes += connection->readAll();
        }
        bytes += connection->readAll();
        connection->close();
        return bytes;
    }

private:
    bool m_queue;
    bool m_ready = false;
    QTemporaryDir m_dir;
    QString m_name;
    QTcpServer m_socket;
};

} // namespace

class TestEscpPrint : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        QFile::remove(m_folder.filePath("mivo_journal.db"));
        QVERIFY(writeCp932(m_folder.filePath("my0.txt"),
                           "100-0001\r\n東京都千代田区千代田1-1\r\n\r\n" + kSenderName + "\r\n03-0000-0000\r\n"));
    }

    void printFollowsTheMarginsOnTheForm_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("queue");
        QTest::newRow("printer fonts, device file") << "escp-text" << false;
        QTest::newRow("bit image, device file") << "escp-image" << false;
        QTest::newRow("printer fonts, raw queue") << "escp-text" << true;
        QTest::newRow("bit image, raw queue") << "escp-image" << true;
    }
    void printFollowsTheMarginsOnTheForm()
    {
        QFETCH(QString, output);
        QFETCH(bool, queue);
        skipWithoutServer(queue);
        Printer printer(queue);
        QVERIFY(printer.ready());

        const EscpDecoded near = printOnce(printer, output, 10, 20);
        const EscpDecoded far = printOnce(printer, output, 46, 92);

        for (const EscpDecoded* printed : {&near, &far}) {
            QCOMPARE(printed->formLengths, std::vector<int>{kContinuousDots});
            QCOMPARE(printed->formFeeds, 1);
            QVERIFY(!printed->crossedFormEnd);
        }
        // The registered margins move the slip dot for dot from the top-of-form.
        if (output == "escp-text") {
            const QPoint a = textAt(near, kSenderName);
            const QPoint b = textAt(far, kSenderName);
            QVERIFY(a.x() >= 0);
            QCOMPARE(b - a, QPoint(72, 36));
        } else {
            QVERIFY(near.texts.empty());
            const QRect a = inkBox(near.forms.at(0));
            const QRect b = inkBox(far.forms.at(0));
            QVERIFY(!a.isEmpty());
            QCOMPARE(b.topLeft() - a.topLeft(), QPoint(72, 36));
        }
        const QStringList printed = historyLines(QStringLiteral("\tprinted\t") + printer.name());
        QCOMPARE(printed.size(), 2);
    }

    void batchIsOneStreamWithAFormPerSlip_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("queue");
        QTest::newRow("printer fonts, raw queue") << "escp-text" << true;
        QTest::newRow("bit image, device file") << "escp-image" << false;
    }
    void batchIsOneStreamWithAFormPerSlip()
    {
        QFETCH(QString, output);
        QFETCH(bool, queue);
        skipWithoutServer(queue);
        Printer printer(queue);
        QVERIFY(printer.ready());
        QVERIFY(register_(printer.name(), output, 0, 0));

        const ProgramRun run = RunProgram({"batch", kRakuten, "--force"}, m_folder.path());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QByteArray bytes = printer.received();
        const EscpDecoded printed = DecodeEscp(bytes.toStdString(), 1800, kContinuousDots);

        const QStringList entries = historyLines(QStringLiteral("\tprinted\t") + printer.name());
        QVERIFY(entries.size() >= 2);
        QCOMPARE(printed.resets, 1);
        QCOMPARE(printed.formLengths, std::vector<int>{kContinuousDots});
        QCOMPARE(printed.formFeeds, entries.size());
        QVERIFY(!printed.crossedFormEnd);
    }

    void deviceThatCannotBeOpenedFailsTheEntry()
    {
        const QString device = m_folder.filePath("no-such-folder/lp0");
        QVERIFY(register_(device, "escp-text", 0, 0));
        const ProgramRun run = RunProgram({"print", "--paper", "1"}, m_folder.path());
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.errText().contains(device), run.err.constData());
        QCOMPARE(historyLines(QStringLiteral("\tfailed\t") + device).size(), 1);
        QVERIFY(!QFile::exists(device));
    }

private:
    void skipWithoutServer(bool queue)
    {
        if (queue && cupsqueue::cupsState().isEmpty()) {
            QSKIP("needs the private CUPS server (scripts/cups-test-server)");
        }
    }

    bool register_(const QString& printer, const QString& output, int top, int left)
    {
        return writeCp932(m_folder.filePath("mivo_a500.ini"),
                          QStringLiteral("[連続(４インチ)]\r\nPrnName=%1\r\nPrnNoIndex=0\r\ndenPrn_Top=%2\r\n"
                                         "denPrn_Left=%3\r\nOutput=%4\r\n")
                              .arg(printer)
                              .arg(top)
                              .arg(left)
                              .arg(output));
    }

    EscpDecoded printOnce(Printer& printer, const QString& output, int top, int left)
    {
        if (!register_(printer.name(), output, top, left)) {
            return {};
        }
        const ProgramRun run = RunProgram({"print", "--paper", "1"}, m_folder.path());
        if (run.exitCode != 0) {
            qWarning("%s", run.err.constData());
            return {};
        }
        return DecodeEscp(printer.received().toStdString(), 1800, kContinuousDots);
    }

    static QPoint textAt(const EscpDecoded& printed, const QString& text)
    {
        const auto found = std::find_if(printed.texts.begin(), printed.texts.end(),
                                        [&](const auto& run) { return QString::fromStdString(run.text) == text; });
        return found == printed.texts.end() ? QPoint(-1, -1) : QPoint(found->x, found->y);
    }

    QStringList historyLines(const QString& containing)
    {
        const ProgramRun run = RunProgram({"history"}, m_folder.path());
        QStringList lines;
        for (const QString& line : QString::fromUtf8(run.out).split('\n')) {
            if (line.contains(containing)) {
                lines << line;
            }
        }
        return lines;
    }

    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestEscpPrint)
#include "tst_escpprint.moc"
