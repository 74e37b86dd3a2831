#include "gui/PlatformPrintDialog.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"

#include "platform/Canvas.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>

#include <map>

using Names = std::vector<std::string>;

namespace {

const QString kPpd = QStringLiteral(MIVO_TEST_PPD);

QString CupsState()
{
    return qEnvironmentVariable("MIVO_TEST_CUPS_STATE");
}

bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    if (process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A queue of this test run's own, removed again at the end of the test.
class Queue
{
public:
    Queue(const QString& purpose, const QStringList& driver)
        : m_name(QStringLiteral("mivo_%1_%2").arg(purpose).arg(QCoreApplication::applicationPid())),
          m_output(QDir(CupsState()).filePath(QStringLiteral("out/%1.out").arg(m_name)))
    {
        QFile::remove(m_output);
        m_created = Run("lpadmin", QStringList{"-p", m_name, "-E", "-v", "file://" + m_output} + driver);
    }
    ~Queue() { Run("lpadmin", {"-x", m_name}); }

    bool created() const { return m_created; }
    std::string name() const { return m_name.toStdString(); }
    const QString& output() const { return m_output; }

private:
    QString m_name;
    QString m_output;
    bool m_created = false;
};

int VisibleIndexOf(const std::string& name)
{
    const Names& names = PrinterAccess().GetPrinterNames();
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// Attributes of the queue's most recent completed job, as text.
std::map<std::string, std::string> LastJobAttributes(const std::string& queue)
{
    std::map<std::string, std::string> attributes;
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    if (count <= 0)
        return attributes;
    int id = 0;
    for (int i = 0; i < count; ++i)
        id = std::max(id, jobs[i].id);
    cupsFreeJobs(count, jobs);

    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a))
            continue;
        char value[1024];
        ippAttributeString(a, value, sizeof value);
        attributes[ippGetName(a)] = value;
    }
    ippDelete(response);
    return attributes;
}

std::string LastJobTitle(const std::string& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    std::string title;
    int id = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id > id) {
            id = jobs[i].id;
            title = jobs[i].title ? jobs[i].title : "";
        }
    }
    cupsFreeJobs(count, jobs);
    return title;
}

int JobCount(const std::string& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

// The test driver description with one more size that has no platform number, listed first.
QString PpdWithWideSizeFirst(const QTemporaryDir& dir)
{
    QFile source(kPpd);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray ppd = source.readAll();
    ppd.replace("*PageSize A4/", "*PageSize Wide/Wide: \"<</PageSize[800 300]>>setpagedevice\"\n*PageSize A4/");
    ppd.replace("*PageRegion A4/", "*PageRegion Wide/Wide: \"<</PageSize[800 300]>>setpagedevice\"\n*PageRegion A4/");
    ppd.replace("*ImageableArea A4:", "*ImageableArea Wide: \"0 0 800 300\"\n*ImageableArea A4:");
    ppd.replace("*PaperDimension A4:", "*PaperDimension Wide: \"800 300\"\n*PaperDimension A4:");
    const QString path = dir.filePath(QStringLiteral("wide.ppd"));
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(ppd) != ppd.size())
        return {};
    return path;
}

QStringList SpoolFiles()
{
    return QDir::temp().entryList({QStringLiteral(".mivo-spool-*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestCupsPrinters : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void queueListingAndCapabilities();
    void jobArrivesWithTitleAndOptions();
    void abortedJobLeavesNothing();
    void addedAndRemovedQueuesAreNoticed();
    void dotMatrixDriverGetsEscP();
    void confirmedDialogKeepsTheDriversOwnSize();
    void serverThatDoesNotAnswer_data();
    void serverThatDoesNotAnswer();
    void driverSettingsByKeyword_data();
    void driverSettingsByKeyword();
};

void TestCupsPrinters::init()
{
    if (CupsState().isEmpty())
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
}

void TestCupsPrinters::cleanup()
{
    UninstallPrinterService();
}

void TestCupsPrinters::queueListingAndCapabilities()
{
    Queue queue("caps", {"-P", kPpd, "-o", "PageSize=Slip10x4", "-o", "InputSlot=Tractor"});
    QVERIFY(queue.created());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));

    const Names& names = PrinterAccess().GetPrinterNames();
    QCOMPARE(names.back(), std::string("PDF"));
    const int index = VisibleIndexOf(queue.name());
    QVERIFY(index >= 0 && index < static_cast<int>(names.size()) - 1);

    PrinterAccess().SetIndex(index);
    QCOMPARE(PrinterAccess().GetIndex(), index);
    QCOMPARE(PrinterAccess().GetPaperSizeNames(), (Names{"A4", "Letter", "送り状 10x4"}));
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 2);
    QCOMPARE(PrinterAccess().GetPaperSizeNumber(), 258);
    QCOMPARE(PrinterAccess().GetBinNames(), (Names{"手差し", "連続用紙"}));
    QCOMPARE(PrinterAccess().GetBinIndex(), 1);
    QCOMPARE(PrinterAccess().GetBinNumber(), 8);
    int x = 0, y = 0;
    PrinterAccess().GetResolution(x, y);
    QCOMPARE(x, 180);
    QCOMPARE(y, 180);
    QCOMPARE(PrinterAccess().GetScale(), 100);

    const Names& ports = PrinterAccess().GetPortNames();
    QVERIFY(std::find(ports.begin(), ports.end(), "file://" + queue.output().toStdString()) != ports.end());
}

void TestCupsPrinters::jobArrivesWithTitleAndOptions()
{
    Queue queue("job", {"-P", kPpd, "-o", "PageSize=Slip10x4", "-o", "InputSlot=Tractor"});
    QVERIFY(queue.created());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));

    PrinterAccess().BeginDoc("mivo_Kangaroo  ");
    Canvas& canvas = PrinterAccess().Canvas();
    canvas.setFontName("IPAGothic");
    canvas.setFontSize(12);
    canvas.textOut(180, 90, "送り状");
    PrinterAccess().EndDoc();

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(queue.output()).size() > 0, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(LastJobAttributes(queue.name())["job-state"]),
                              QStringLiteral("completed"), 30000);
    auto attributes = LastJobAttributes(queue.name());
    QCOMPARE(LastJobTitle(queue.name()), std::string("mivo_Kangaroo  "));
    QCOMPARE(attributes["InputSlot"], std::string("Tractor"));
    QCOMPARE(attributes["PageSize"], std::string("Slip10x4"));
    QCOMPARE(attributes["Resolution"], std::string("180dpi"));

    // The queue passes the program's PDF through: the page is the slip and the text sits one
    // inch from the left edge, half an inch from the top.
    QByteArray info;
    QVERIFY(Run("pdfinfo", {queue.output()}, &info));
    QVERIFY2(info.contains("720 x 288 pts"), info.constData());
    QByteArray boxes;
    QVERIFY(Run("pdftotext", {"-bbox", queue.output(), "-"}, &boxes));
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>送り状</word>"));
    const QRegularExpressionMatch match = word.match(QString::fromUtf8(boxes));
    QVERIFY2(match.hasMatch(), boxes.constData());
    QVERIFY(qAbs(match.captured(1).toDouble() - 72) < 1);
    QVERIFY(match.captured(2).toDouble() >= 35 && match.captured(2).toDouble() < 48);
    QVERIFY(SpoolFiles().isEmpty());
}

void TestCupsPrinters::abortedJobLeavesNothing()
{
    Queue queue("abort", {"-P", kPpd});
    QVERIFY(queue.created());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));

    PrinterAccess().BeginDoc("mivo_Kangaroo  ");
    PrinterAccess().Canvas().textOut(0, 0, "途中");
    PrinterAccess().Abort();

    QCOMPARE(JobCount(queue.name()), 0);
    QVERIFY(!QFile::exists(queue.output()));
    QVERIFY(SpoolFiles().isEmpty());
}

void TestCupsPrinters::addedAndRemovedQueuesAreNoticed()
{
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 100));
    int changes = 0;
    PrinterAccess().SetOnChange([&](TPrinterAccess&) { ++changes; });
    {
        Queue queue("added", {"-P", kPpd});
        QVERIFY(queue.created());
        QTRY_VERIFY_WITH_TIMEOUT(VisibleIndexOf(queue.name()) >= 0, 10000);
        QVERIFY(changes >= 1);
        // After the change the system's default printer is current again.
        PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));
    }
    const int before = changes;
    QTRY_VERIFY_WITH_TIMEOUT(changes > before, 10000);
    QCOMPARE(VisibleIndexOf("mivo_added_" + std::to_string(QCoreApplication::applicationPid())), -1);
    QCOMPARE(PrinterAccess().GetPrinterNames().back(), std::string("PDF"));
}

void TestCupsPrinters::dotMatrixDriverGetsEscP()
{
    Queue queue("escp", {"-m", "drv:///sample.drv/epson24.ppd"});
    QVERIFY(queue.created());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));
    int x = 0, y = 0;
    PrinterAccess().GetResolution(x, y);
    QVERIFY(x > 0 && y > 0);

    PrinterAccess().BeginDoc("mivo_Kangaroo  ");
    PrinterAccess().Canvas().textOut(x, y, "ESC/P");
    PrinterAccess().EndDoc();

    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(LastJobAttributes(queue.name())["job-state"]),
                              QStringLiteral("completed"), 60000);
    QFile output(queue.output());
    QVERIFY(output.open(QIODevice::ReadOnly));
    // Printer reset, then graphics: what an ESC/P printer takes.
    QVERIFY(output.readAll().startsWith("\x1b@"));
}

void TestCupsPrinters::confirmedDialogKeepsTheDriversOwnSize()
{
    QTemporaryDir dir;
    const QString ppd = PpdWithWideSizeFirst(dir);
    QVERIFY(!ppd.isEmpty());
    Queue queue("dialog", {"-P", ppd, "-o", "PageSize=Slip10x4"});
    QVERIFY(queue.created());
    InstallPrinterService(std::make_unique<CupsPrinterService>(dir.path(), 0));
    PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));
    QCOMPARE(PrinterAccess().GetPaperSizeNames(), (Names{"Wide", "A4", "Letter", "送り状 10x4"}));
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 3);

    // The user confirms the setup dialog without changing anything in it.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    QVERIFY(ExecuteRefreshing(QtPrintDialogRunner(nullptr, true)));
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 3);
}

void TestCupsPrinters::serverThatDoesNotAnswer_data()
{
    QTest::addColumn<QString>("server");
    QTest::newRow("connection refused") << "127.0.0.1:1";
    QTest::newRow("nothing comes back") << "10.255.255.1:631";
}

void TestCupsPrinters::serverThatDoesNotAnswer()
{
    QFETCH(QString, server);
    const QByteArray previous = qgetenv("CUPS_SERVER");
    // The poll's own thread reads the environment; this thread is told directly.
    qputenv("CUPS_SERVER", server.toUtf8());
    cupsSetServer(server.toUtf8().constData());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 50));

    // The window goes on while the poll waits for the server.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(20);
    QTest::qWait(3000);
    // Only the printer that needs no server is listed; the queues' absence is told.
    const TPrinterAccess::StringList names = PrinterAccess().GetPrinterNames();
    const QString message = QString::fromStdString(PrinterAccess().ServerFailure());
    UninstallPrinterService();
    qputenv("CUPS_SERVER", previous);
    cupsSetServer(previous.constData());

    QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
    QVERIFY2(message.contains(server), qPrintable(message));
    QCOMPARE(names, TPrinterAccess::StringList{"PDF"});
}

void TestCupsPrinters::driverSettingsByKeyword_data()
{
    QTest::addColumn<DriverSettings>("applied");
    QTest::addColumn<DriverSettings>("inForce");
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("offered paper and resolution")
        << DriverSettings{"A4", "", "180dpi"} << DriverSettings{"A4", "", "180dpi"} << QStringList();
    QTest::newRow("a size made up in the dialog, by its keyword")
        << DriverSettings{"Custom.612x288", "", ""} << DriverSettings{"Custom.612x288", "", "120x60dpi"}
        << QStringList();
    QTest::newRow("what the driver does not offer stays as it was")
        << DriverSettings{"Custom.nanx288", "Tractor", "999dpi"} << DriverSettings{"Letter", "", "120x60dpi"}
        << QStringList{"PageSize=Custom.nanx288", "InputSlot=Tractor", "Resolution=999dpi"};
}

// The keywords a registration keeps are the ones the service reads back, on a driver that
// offers custom sizes but no paper source.
void TestCupsPrinters::driverSettingsByKeyword()
{
    QFETCH(DriverSettings, applied);
    QFETCH(DriverSettings, inForce);
    QFETCH(QStringList, refused);
    Queue queue("keywords", {"-m", "drv:///sample.drv/epson24.ppd"});
    QVERIFY(queue.created());
    QTemporaryDir slips;
    InstallPrinterService(std::make_unique<CupsPrinterService>(slips.path(), 0));
    PrinterAccess().SetIndex(VisibleIndexOf(queue.name()));
    QStringList said;
    for (const std::string& keyword : PrinterAccess().Service().applyDriverSettings(applied)) {
        said << QString::fromStdString(keyword);
    }
    QCOMPARE(said, refused);
    const DriverSettings now = PrinterAccess().Service().driverSettings();
    QCOMPARE(QString::fromStdString(now.paperSize), QString::fromStdString(inForce.paperSize));
    QCOMPARE(QString::fromStdString(now.paperSource), QString::fromStdString(inForce.paperSource));
    QCOMPARE(QString::fromStdString(now.resolution), QString::fromStdString(inForce.resolution));
}

QTEST_MAIN(TestCupsPrinters)
#include "tst_cupsprinters.moc"
