#include "printers/BuiltInPdfPrinter.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"

#include "platform/Canvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>

using Names = std::vector<std::string>;

namespace {

QByteArray Output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

} // namespace

// The printer that works out of the box: the private CUPS server answers without queues.
class TestBuiltInPdfPrinter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void onlyPrinterWhenTheServerHasNoQueue();
    void jobsBecomeFilesInTheSlipsFolder();
    void abortedJobLeavesNoFile();
    void leftoverSpoolFilesAreRemoved_data();
    void leftoverSpoolFilesAreRemoved();
    void fileNames_data();
    void fileNames();

private:
    std::unique_ptr<QTemporaryDir> m_workingDir;
    QString m_slips;
};

void TestBuiltInPdfPrinter::init()
{
    if (qEnvironmentVariableIsEmpty("MIVO_TEST_CUPS_STATE"))
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    m_workingDir = std::make_unique<QTemporaryDir>();
    m_slips = QDir(m_workingDir->path()).filePath("slips");
    InstallPrinterService(std::make_unique<CupsPrinterService>(m_slips, 0));
}

void TestBuiltInPdfPrinter::cleanup()
{
    UninstallPrinterService();
}

void TestBuiltInPdfPrinter::onlyPrinterWhenTheServerHasNoQueue()
{
    TPrinterAccess& access = PrinterAccess();
    QCOMPARE(access.GetPrinterNames(), Names{"PDF"});
    QCOMPARE(access.GetIndex(), 0);
    QCOMPARE(access.GetPaperSizeNames(), (Names{"A4", "連続用紙 10×4インチ"}));
    QCOMPARE(access.GetPaperSizeIndex(), 0);
    QCOMPARE(access.GetBinNames(), (Names{"手差し", "連続用紙"}));
    QCOMPARE(access.GetBinIndex(), 0);
    int x = 0, y = 0;
    access.GetResolution(x, y);
    QCOMPARE(x, 180);
    QCOMPARE(y, 180);
    QCOMPARE(access.GetScale(), 100);
}

void TestBuiltInPdfPrinter::jobsBecomeFilesInTheSlipsFolder()
{
    for (int job = 0; job < 2; ++job) {
        PrinterAccess().BeginDoc("mivo_Kangaroo  ");
        PrinterAccess().Canvas().setFontName("IPAGothic");
        PrinterAccess().Canvas().setFontSize(12);
        PrinterAccess().Canvas().textOut(180, 360, "西濃運輸");
        PrinterAccess().EndDoc();
    }
    const QStringList files = QDir(m_slips).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    QCOMPARE(files.size(), 2);
    const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-mivo_Kangaroo(-2)?\\.pdf$"));
    for (const QString& file : files)
        QVERIFY2(name.match(file).hasMatch(), qPrintable(file));

    const QString pdf = QDir(m_slips).filePath(files.first());
    const QByteArray info = Output("pdfinfo", {pdf});
    QVERIFY2(info.contains("pts (A4)"), info.constData());
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>西濃運輸</word>"));
    const QRegularExpressionMatch match = word.match(QString::fromUtf8(Output("pdftotext", {"-bbox", pdf, "-"})));
    QVERIFY(match.hasMatch());
    QVERIFY(qAbs(match.captured(1).toDouble() - 72) < 1);
    QVERIFY(match.captured(2).toDouble() >= 143 && match.captured(2).toDouble() < 156);
}

void TestBuiltInPdfPrinter::abortedJobLeavesNoFile()
{
    PrinterAccess().BeginDoc("mivo_Kangaroo  ");
    PrinterAccess().Canvas().textOut(0, 0, "x");
    PrinterAccess().Abort();
    QVERIFY(QDir(m_slips).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, PrinterAccess().Canvas());
}

void TestBuiltInPdfPrinter::leftoverSpoolFilesAreRemoved_data()
{
    QTest::addColumn<QString>("kind"); // what stands under a spool file's name
    QTest::addColumn<bool>("removed");
    QTest::newRow("killed job's file") << "file" << true;
    QTest::newRow("job of a running program") << "locked" << false;
    QTest::newRow("link") << "link" << false;
}

void TestBuiltInPdfPrinter::leftoverSpoolFilesAreRemoved()
{
    QFETCH(QString, kind);
    QFETCH(bool, removed);
    QVERIFY(QDir().mkpath(m_slips));
    const QString leftover = QDir(m_slips).filePath(".mivo-spool-Ab12Cd.pdf");
    const QString target = QDir(m_workingDir->path()).filePath("elsewhere");
    QFile file(kind == "link" ? target : leftover);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4 cut short");
    file.flush();
    if (kind == "link") {
        QVERIFY(QFile::link(target, leftover));
    } else if (kind == "locked") {
        QCOMPARE(::flock(file.handle(), LOCK_EX), 0);
    }

    PrinterAccess().BeginDoc("mivo_Kangaroo");
    PrinterAccess().Canvas().textOut(0, 0, "x");
    PrinterAccess().EndDoc();
    QCOMPARE(QFileInfo(leftover).exists() || QFileInfo(leftover).isSymLink(), !removed);
    QCOMPARE(QDir(m_slips).entryList({"*.pdf"}, QDir::Files).size(), 1);
    QCOMPARE(QFileInfo(target).exists(), kind == "link");
}

void TestBuiltInPdfPrinter::fileNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("trailing blanks dropped") << "mivo_Kangaroo  "
                                             << "20260102-030405-mivo_Kangaroo";
    QTest::newRow("path separators replaced") << "a/b\\c:d"
                                              << "20260102-030405-a_b_c_d";
    QTest::newRow("control characters replaced") << "a\tb\nc"
                                                 << "20260102-030405-a_b_c";
    QTest::newRow("no hidden file") << "..x"
                                    << "20260102-030405-x";
    QTest::newRow("empty title") << "  "
                                 << "20260102-030405-slip";
    QTest::newRow("Japanese kept") << "送り状"
                                   << "20260102-030405-送り状";
}

void TestBuiltInPdfPrinter::fileNames()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(builtinpdf::FileName(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), title), name);
}

QTEST_MAIN(TestBuiltInPdfPrinter)
#include "tst_builtinpdfprinter.moc"
