#include "gui/TForm_SLIP97YPrn.h"
#include "gui/TRefreshingPrinterSetupDialog.h"
#include "printers/CupsPrinterService.h"
#include "tests/support/CupsQueueSupport.h"
#include "tests/support/DriverEscp.h"
#include "tests/support/PrintWindowSupport.h"
#include "tests/support/ProgramRun.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cups/cups.h>

#include <optional>

// Slips printed from the real window and from the command line onto queues of a private CUPS
// server, and read back from what the queue's device received.
using namespace printwindow;
using namespace cupsqueue;

namespace {

// The sample slip as a PDF reader sees it: blanks leave no word, and the two count digits
// stand so close that they read as one.
std::vector<PlacedText> readableSlip()
{
    std::vector<PlacedText> placed;
    for (const PlacedText& item : sampleSlip()) {
        if (item.text == QLatin1String(" ")) {
            continue;
        }
        if (item.text == QLatin1String("2") && item.slipX == 1110) {
            placed.back().text += item.text;
            continue;
        }
        placed.push_back(item);
    }
    return placed;
}

// The window started on the real printer service, registered to print on `queue`.
TForm_Main& showOnQueue(MainWindowFixture& fixture, const QString& queue, const QString& top, const QString& left)
{
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile(QStringLiteral("[手差し]\nPrnName=%1\nPrnNoIndex=0\ndenPrn_Top=%2\n"
                                                               "denPrn_Left=%3\n")
                                                    .arg(queue, top, left)));
    fixture.installService(std::make_unique<CupsPrinterService>(fixture.path(QStringLiteral("slips")), 0));
    TForm_Main& window = fixture.show();
    fillSampleSlip(window);
    return window;
}

QString executable()
{
    return QStringLiteral(MIVO_EXECUTABLE);
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyTextArrivesAtItsDots_data();
    void everyTextArrivesAtItsDots();
    void noAnswerOrDrawingErrorSendsNothing();
    void dotMatrixDriverReceivesEscP();
    void commandLinePrintsTheLastSlip();
    void continuousFeedSendsOneFormPerSlip_data();
    void continuousFeedSendsOneFormPerSlip();
    void slipThatDoesNotFitIsNamedFirst_data();
    void slipThatDoesNotFitIsNamedFirst();
    void registeredSettingsReachTheJob_data();
    void registeredSettingsReachTheJob();
};

void TestCupsPrint::init()
{
    if (cupsState().isEmpty()) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
}

void TestCupsPrint::cleanup()
{
    UninstallPrinterService();
}

void TestCupsPrint::everyTextArrivesAtItsDots_data()
{
    QTest::addColumn<QString>("ppd");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    // The printable corner as the driver description puts it, in points from the paper's.
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    const QString whole = QStringLiteral(MIVO_RESOLUTIONS_PPD);
    const QString even = QStringLiteral(MIVO_MARGINS_18PT_PPD);
    const QString unequal = QStringLiteral(MIVO_MARGINS_UNEQUAL_PPD);
    QTest::newRow("160 dpi, printable to the edges") << whole << "A4"
                                                     << "160dpi" << 160 << 160 << QPointF(0, 0) << "0"
                                                     << "0";
    QTest::newRow("120 x 60 dpi, printable to the edges") << whole << "A4"
                                                          << "120x60dpi" << 120 << 60 << QPointF(0, 0) << "10"
                                                          << "5";
    QTest::newRow("18 pt margins, 180 dpi, positive margins") << even << "A4"
                                                              << "180dpi" << 180 << 180 << QPointF(18, 18) << "25"
                                                              << "40";
    QTest::newRow("18 pt margins, 120 x 60 dpi, negative margins")
        << even << "A4"
        << "120x60dpi" << 120 << 60 << QPointF(18, 18) << "-20"
        << "-10";
    QTest::newRow("18 pt margins, 360 x 180 dpi") << even << "Slip10x4"
                                                  << "360x180dpi" << 360 << 180 << QPointF(18, 18) << "10"
                                                  << "5";
    QTest::newRow("unequal margins, 180 dpi, slip paper") << unequal << "Slip10x4"
                                                          << "180dpi" << 180 << 180 << QPointF(9, 36) << "-20"
                                                          << "-100";
    QTest::newRow("unequal margins, 360 x 180 dpi, A4") << unequal << "A4"
                                                        << "360x180dpi" << 360 << 180 << QPointF(12, 24) << "30"
                                                        << "-40";
    QTest::newRow("unequal margins, 120 x 60 dpi, made-up size") << unequal << "Custom.612x288"
                                                                 << "120x60dpi" << 120 << 60 << QPointF(9, 27) << "0"
                                                                 << "0";
}

void TestCupsPrint::everyTextArrivesAtItsDots()
{
    QFETCH(QString, ppd);
    QFETCH(QString, pageSize);
    QFETCH(QString, resolution);
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    QFETCH(QPointF, origin);
    QFETCH(QString, top);
    QFETCH(QString, left);
    Queue queue(QStringLiteral("dots"), {"-P", ppd, "-o", "Resolution=" + resolution, "-o", "PageSize=" + pageSize});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    TForm_Main& window = showOnQueue(fixture, queue.name(), top, left);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), queue.name());

    fixture.prompt().answerYes();
    fixture.focus(QStringLiteral("Edit_G1"));
    fixture.key(Qt::Key_F11);
    QVERIFY2(fixture.prompt().errors.isEmpty(), qPrintable(fixture.prompt().errors.join(u'\n')));
    QCOMPARE(window.dpiX(), QString::number(dpix));
    QCOMPARE(window.dpiY(), QString::number(dpiy));

    QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 30000);
    QCOMPARE(queue.jobCount(), 1);
    QCOMPARE(queue.lastTitle(), QStringLiteral("mivo_Kangaroo  "));
    QCOMPARE(queue.lastDocumentName(), QStringLiteral("mivo_Kangaroo  "));
    const QList<Word> words = readWords(queue.output());
    QVERIFY(!words.isEmpty());
    for (const PlacedText& item : readableSlip()) {
        const QPoint want = deviceOf(item, dpix, dpiy, top.toInt(), left.toInt());
        if (origin.y() * dpiy / 72.0 + want.y() < 0) {
            continue; // above the paper's edge
        }
        const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == item.text; });
        QVERIFY2(found != words.end(), qPrintable(item.text));
        // Read back from points, a text stands within a quarter dot of its place.
        const QPointF got((found->topLeft.x() - origin.x()) * dpix / 72.0,
                          (found->topLeft.y() - origin.y()) * dpiy / 72.0);
        QVERIFY2(qAbs(got.x() - want.x()) < 0.25 && qAbs(got.y() - want.y()) < 0.25,
                 qPrintable(QStringLiteral("%1 at %2,%3, wanted %4,%5")
                                .arg(item.text)
                                .arg(got.x())
                                .arg(got.y())
                                .arg(want.x())
                                .arg(want.y())));
        // Glyphs keep their size in points whatever the dots: a line is about its font size.
        const double linesPerPoint = found->height / item.points;
        QVERIFY2(
            linesPerPoint > 0.9 && linesPerPoint < 1.6,
            qPrintable(QStringLiteral("%1 is %2 pt high at %3 pt").arg(item.text).arg(found->height).arg(item.points)));
    }
}

void TestCupsPrint::noAnswerOrDrawingErrorSendsNothing()
{
    Queue queue(QStringLiteral("none"), {"-P", QStringLiteral(MIVO_RESOLUTIONS_PPD)});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    TForm_Main& window = showOnQueue(fixture, queue.name(), QStringLiteral("0"), QStringLiteral("0"));

    fixture.prompt().answerNo();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    NamedControl<QLabel>(window, "Label_Prn_Left")->setText(QStringLiteral("1,5"));
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();

    QCOMPARE(fixture.prompt().errors, QStringList{QStringLiteral("'1,5' is not a valid integer value.")});
    // Jobs are handed over when they end, so nothing can still be on its way.
    QCOMPARE(queue.jobCount(), 0);
    QVERIFY(!QFile::exists(queue.output()));
    QVERIFY(QDir::temp().entryList({QStringLiteral(".mivo-spool-*")}, QDir::Files | QDir::Hidden).isEmpty());
}

void TestCupsPrint::dotMatrixDriverReceivesEscP()
{
    Queue queue(QStringLiteral("escp"), {"-m", "drv:///sample.drv/epson24.ppd"});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    TForm_Main& window = showOnQueue(fixture, queue.name(), QStringLiteral("0"), QStringLiteral("0"));

    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();

    QVERIFY(fixture.prompt().errors.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 60000);
    QCOMPARE(queue.lastTitle(), QStringLiteral("mivo_Kangaroo  "));
    QFile output(queue.output());
    QVERIFY(output.open(QIODevice::ReadOnly));
    // Printer reset, then the page as graphics.
    const QByteArray escp = output.readAll();
    QVERIFY(escp.startsWith("\x1b@"));
    QVERIFY(escp.size() > 1000);
}

void TestCupsPrint::commandLinePrintsTheLastSlip()
{
    Queue registered(QStringLiteral("cliReg"), {"-P", QStringLiteral(MIVO_RESOLUTIONS_PPD)});
    Queue other(QStringLiteral("cliOther"), {"-P", QStringLiteral(MIVO_RESOLUTIONS_PPD)});
    QVERIFY(registered.created() && other.created());
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QString& text) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(sjisFile(text)) >= 0;
    };
    QVERIFY(write("mivo_Kangaroo.ini", "[mv_Kangarooprn]\nE_G1=りんご\nE_CUS=西濃太郎\nKOSUU=3\nComboBox_SEL=1\n"));
    QVERIFY(write("mivo_a500.ini", "[連続(４インチ)]\nPrnName=" + registered.name() + "\nPrnNoIndex=0\n"));

    struct Run
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };
    const auto print = [&](const QStringList& options) {
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(executable(), QStringList{QStringLiteral("print")} + options);
        process.waitForFinished(60000);
        return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   process.readAllStandardOutput(), process.readAllStandardError()};
    };

    const Run plain = print({});
    QVERIFY2(plain.exitCode == 0, plain.err.constData());
    QTRY_VERIFY_WITH_TIMEOUT(registered.lastCompleted(), 30000);
    QCOMPARE(registered.lastTitle(), QStringLiteral("mivo_Kangaroo  "));
    QStringList texts;
    for (const Word& word : readWords(registered.output())) {
        texts << word.text;
    }
    QVERIFY2(texts.contains(QStringLiteral("りんご")) && texts.contains(QStringLiteral("西濃太郎")),
             qPrintable(texts.join(u'|')));

    const Run chosen = print({QStringLiteral("--printer"), other.name()});
    QVERIFY2(chosen.exitCode == 0, chosen.err.constData());
    QTRY_VERIFY_WITH_TIMEOUT(other.lastCompleted(), 30000);
    QCOMPARE(registered.jobCount(), 1);

    // Never another printer in place of a missing one, nor a file.
    const Run unknown = print({QStringLiteral("--printer"), QStringLiteral("no such queue")});
    QCOMPARE(unknown.exitCode, 1);
    QVERIFY(unknown.out.isEmpty());
    QVERIFY2(unknown.err.contains("no such queue"), unknown.err.constData());
    QVERIFY(write("mivo_a500.ini", "[連続(４インチ)]\nPrnName=removed queue\nPrnNoIndex=0\n"));
    const Run removed = print({});
    QCOMPARE(removed.exitCode, 1);
    QVERIFY2(removed.err.contains("removed queue"), removed.err.constData());
    QVERIFY(write("mivo_a500.ini", "[連続(４インチ)]\nPrnNoIndex=0\n"));
    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", "127.0.0.1:1");
    const Run unanswered = print({});
    qputenv("CUPS_SERVER", server);
    QCOMPARE(unanswered.exitCode, 1);
    QVERIFY2(unanswered.err.contains("does not answer"), unanswered.err.constData());
    QCOMPARE(registered.jobCount(), 1);
    QCOMPARE(other.jobCount(), 1);
    QVERIFY(!QDir(folder.filePath(QStringLiteral("slips"))).exists());
}

namespace {

// A folder whose continuous feed is registered to `queue`, with the last session's slip, a
// sender and five orders of a plain export.
void writeContinuousFolder(const QString& folder, const QString& queue)
{
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write("mivo_Kangaroo.ini", sjisFile("[mv_Kangarooprn]\nE_G1=りんご\nE_CUS=西濃太郎\nKOSUU=1\nComboBox_SEL=1\n"));
    write("mivo_a500.ini", sjisFile("[連続(４インチ)]\nPrnName=" + queue + "\nPrnNoIndex=0\n"));
    write("my0.txt", sjisFile("100-0001\n東京都千代田区千代田1-1\n\n西濃商店\n03-0000-0000\n"));
    QByteArray orders = "name,zip,address,tel,item\n";
    for (int i = 1; i <= 5; ++i) {
        orders += QStringLiteral("山田%1,1000001,東京都千代田区千代田１－%1,03-1111-000%1,りんご\n").arg(i).toUtf8();
    }
    write("orders.csv", orders);
}

bool runCommand(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(executable(), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

enum class ContinuousPath
{
    F11,
    TestPrint,
    Print,
    Reprint,
    Batch,
};

} // namespace

void TestCupsPrint::continuousFeedSendsOneFormPerSlip_data()
{
    QTest::addColumn<ContinuousPath>("path");
    QTest::addColumn<int>("slips");
    QTest::newRow("F11") << ContinuousPath::F11 << 1;
    QTest::newRow("test print") << ContinuousPath::TestPrint << 1;
    QTest::newRow("print --paper 1") << ContinuousPath::Print << 1;
    QTest::newRow("reprint") << ContinuousPath::Reprint << 1;
    QTest::newRow("batch of five") << ContinuousPath::Batch << 5;
}

// The driver's default page is Letter: a job that sent it would feed 11 inches per slip.
void TestCupsPrint::continuousFeedSendsOneFormPerSlip()
{
    QFETCH(ContinuousPath, path);
    QFETCH(int, slips);
    Queue queue(QStringLiteral("form"), {"-m", "drv:///sample.drv/epson24.ppd"});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    const QString folder = fixture.folder();
    writeContinuousFolder(folder, queue.name());
    if (path == ContinuousPath::F11 || path == ContinuousPath::TestPrint) {
        fixture.installService(std::make_unique<CupsPrinterService>(fixture.path(QStringLiteral("slips")), 0));
        TForm_Main& window = fixture.show();
        NamedControl<QComboBox>(window, "ComboBox_SEL")->setCurrentIndex(1);
        fillSampleSlip(window);
        fixture.prompt().answerYes();
        if (path == ContinuousPath::F11) {
            NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
        } else {
            window.findChild<TForm_SLIP97YPrn*>()->BitBtn_TestPrint->click();
        }
        QVERIFY2(fixture.prompt().errors.isEmpty(), qPrintable(fixture.prompt().errors.join(u'|')));
        if (path == ContinuousPath::TestPrint) {
            // The driver's 18 pt borders, in millimetres.
            QCOMPARE(fixture.prompt().notices.size(), 1);
            QVERIFY2(fixture.prompt().notices.front().contains(QStringLiteral("上 6.3 mm")),
                     qPrintable(fixture.prompt().notices.front()));
        }
    } else if (path == ContinuousPath::Print) {
        QVERIFY(runCommand(folder, {"print", "--paper", "1", "--force"}));
    } else if (path == ContinuousPath::Reprint) {
        QVERIFY(runCommand(folder, {"print", "--paper", "1", "--force"}));
        QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 60000);
        QFile::remove(queue.output());
        QVERIFY(runCommand(folder, {"reprint", "1"}));
    } else {
        QVERIFY(runCommand(folder, {"batch", "orders.csv", "--paper", "1", "--format", "generic", "--force", "--map",
                                    "name=name,zip=zip,address1=address,tel=tel,item=item"}));
    }
    QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 60000);

    // 8.5 by 4 inches in points; the driver sets its form length in sixths of an inch.
    QCOMPARE(queue.lastJobAttribute("PageSize"), QStringLiteral("Custom.612x288"));
    QFile output(queue.output());
    QVERIFY(output.open(QIODevice::ReadOnly));
    const DriverForms forms = ReadDriverForms(output.readAll());
    QCOMPARE(forms.formFeeds, slips);
    QCOMPARE(forms.formInches, std::vector<double>(static_cast<std::size_t>(slips), 4.0));
}

namespace {

enum class FitPath
{
    F11No,
    F11Yes,
    Print,
    PrintForced,
};

} // namespace

void TestCupsPrint::slipThatDoesNotFitIsNamedFirst_data()
{
    QTest::addColumn<FitPath>("path");
    QTest::addColumn<bool>("printed");
    QTest::newRow("F11 answered with the default No") << FitPath::F11No << false;
    QTest::newRow("F11 answered Yes") << FitPath::F11Yes << true;
    QTest::newRow("print stops") << FitPath::Print << false;
    QTest::newRow("print --force goes on") << FitPath::PrintForced << true;
}

// A driver whose printable area ends 18 pt above the 4-inch fold cuts the name rows at TOP 0.
void TestCupsPrint::slipThatDoesNotFitIsNamedFirst()
{
    QFETCH(FitPath, path);
    QFETCH(bool, printed);
    Queue queue(QStringLiteral("fit"), {"-P", QStringLiteral(MIVO_MARGINS_18PT_PPD)});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    writeContinuousFolder(fixture.folder(), queue.name());
    fixture.writeFile("mivo_a500.ini",
                      sjisFile("[連続(４インチ)]\nPrnName=" + queue.name() + "\nPrnNoIndex=0\ndenPrn_Top=0\n"));
    const QString cut = QStringLiteral("おなまえ が印字範囲から");
    if (path == FitPath::F11No || path == FitPath::F11Yes) {
        fixture.installService(std::make_unique<CupsPrinterService>(fixture.path(QStringLiteral("slips")), 0));
        TForm_Main& window = fixture.show();
        NamedControl<QComboBox>(window, "ComboBox_SEL")->setCurrentIndex(1);
        fillSampleSlip(window);
        path == FitPath::F11Yes ? fixture.prompt().answerYes() : fixture.prompt().answerNo();
        NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
        QCOMPARE(fixture.prompt().defaultNo.size(), 1);
        QVERIFY2(fixture.prompt().defaultNo.front().contains(cut), qPrintable(fixture.prompt().defaultNo.front()));
    } else {
        QProcess process;
        process.setWorkingDirectory(fixture.folder());
        process.start(executable(), path == FitPath::Print ? QStringList{"print", "--paper", "1"}
                                                           : QStringList{"print", "--paper", "1", "--force"});
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), printed ? 0 : 1);
        QVERIFY2(err.contains(cut), qPrintable(err));
    }
    if (printed) {
        QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 60000);
    }
    QCOMPARE(queue.jobCount(), printed ? 1 : 0);
}

namespace {

// The continuous feed registered on `queue`, with `keys` after the printer.
bool registerContinuous(const QString& folder, const QString& queue, const QString& keys)
{
    QFile file(QDir(folder).filePath(QStringLiteral("mivo_a500.ini")));
    return file.open(QIODevice::WriteOnly) &&
           file.write(sjisFile("[連続(４インチ)]\nPrnName=" + queue + "\nPrnNoIndex=0\n" + keys)) > 0;
}

// 「セットするプリンタを登録」 with 180 dpi and A4 chosen in the setup dialog.
void registerInTheWindow(MainWindowFixture& fixture)
{
    fixture.installService(std::make_unique<CupsPrinterService>(fixture.path(QStringLiteral("slips")), 0));
    TForm_Main& window = fixture.show();
    NamedControl<QComboBox>(window, "ComboBox_SEL")->setCurrentIndex(1);
    window.PrinterSetupDialog1->setRunner([](DialogChoice& choice) {
        for (DialogChoice::DriverOption& option : choice.driverOptions) {
            if (option.keyword == "Resolution") {
                option.current = "180dpi";
            }
        }
        choice.paperSize = Capability{0, "A4", 595, 842};
        return true;
    });
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_PrnSet"), Qt::LeftButton);
    QVERIFY2(fixture.prompt().errors.isEmpty(), qPrintable(fixture.prompt().errors.join(u'|')));
    QVERIFY2(registrationText(fixture).endsWith(QStringLiteral("PaperSize=A4\nResolution=180dpi\nMarginDpi=120x60\n")),
             qPrintable(registrationText(fixture)));
}

} // namespace

void TestCupsPrint::registeredSettingsReachTheJob_data()
{
    QTest::addColumn<QString>("keys");  // the continuous feed's keys after its printer and margins
    QTest::addColumn<bool>("inWindow"); // registered in the window's setup dialog afterwards
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<int>("graphicsMode"); // ESC * m of the driver's bands
    QTest::addColumn<QString>("margins");  // top and left dots as the journal keeps them
    QTest::addColumn<QString>("warning");  // on standard error; empty for none
    // 6 dots at 60 dpi and 12 at 120 dpi are 18 and 18 at 180 dpi.
    QTest::newRow("chosen in the setup dialog") << "" << true << "180dpi"
                                                << "Custom.595x288" << 39 << "18,18"
                                                << "";
    QTest::newRow("an older file: the driver's defaults, dots as they stand") << "" << false << "120x60dpi"
                                                                              << "Custom.612x288" << 1 << "6,12"
                                                                              << "";
    QTest::newRow("margins registered at 180 dpi, printed at 120x60") << "MarginDpi=180x180\n"
                                                                      << false << "120x60dpi"
                                                                      << "Custom.612x288" << 1 << "2,8"
                                                                      << "";
    QTest::newRow("a resolution the driver no longer offers") << "PaperSize=A4\nResolution=999dpi\n"
                                                              << false << "120x60dpi"
                                                              << "Custom.595x288" << 1 << "6,12"
                                                              << "Resolution=999dpi";
}

// Registered once, read back by a fresh process from the file alone: the job carries the
// registered settings, the page stays one 4-inch form long as wide as the registered paper, and
// the margins keep their distance on paper.
void TestCupsPrint::registeredSettingsReachTheJob()
{
    QFETCH(QString, keys);
    QFETCH(bool, inWindow);
    QFETCH(QString, resolution);
    QFETCH(QString, pageSize);
    QFETCH(int, graphicsMode);
    QFETCH(QString, margins);
    QFETCH(QString, warning);
    Queue queue(QStringLiteral("settings"), {"-m", "drv:///sample.drv/epson24.ppd"});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    writeContinuousFolder(fixture.folder(), queue.name());
    QVERIFY(registerContinuous(fixture.folder(), queue.name(), "denPrn_Top=6\ndenPrn_Left=12\n" + keys));
    if (inWindow) {
        registerInTheWindow(fixture);
        QVERIFY(!QTest::currentTestFailed());
    }

    const ProgramRun printed = RunProgram({"print", "--paper", "1", "--force"}, fixture.folder());
    QVERIFY2(printed.exitCode == 0, printed.err.constData());
    QVERIFY2(warning.isEmpty() ? !printed.errText().contains(QStringLiteral("登録された"))
                               : printed.errText().contains(warning),
             printed.err.constData());
    QTRY_VERIFY_WITH_TIMEOUT(queue.lastCompleted(), 60000);
    QCOMPARE(queue.lastJobAttribute("Resolution"), resolution);
    QCOMPARE(queue.lastJobAttribute("PageSize"), pageSize);
    QFile output(queue.output());
    QVERIFY(output.open(QIODevice::ReadOnly));
    const DriverForms forms = ReadDriverForms(output.readAll());
    QCOMPARE(forms.formInches, std::vector<double>{4.0});
    QVERIFY(!forms.graphicsModes.empty());
    for (const int mode : forms.graphicsModes) {
        QCOMPARE(mode, graphicsMode);
    }
    const ProgramRun history = RunProgram({"history", "--json"}, fixture.folder());
    const QJsonObject entry = QJsonDocument::fromJson(history.out).array().first().toObject();
    QCOMPARE(entry.value("prnTop").toString() + "," + entry.value("prnLeft").toString(), margins);
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
