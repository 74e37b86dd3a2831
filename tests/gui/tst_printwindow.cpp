#include "gui/TRefreshingPrinterSetupDialog.h"
#include "tests/support/PrintWindowSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

// Printing and printer registration in the real window, over the fake printer service.
using namespace printwindow;

Q_DECLARE_METATYPE(Resolution)

namespace {

FakePrinterService::Printer printer(const std::string& name, Resolution resolution = {180, 180})
{
    FakePrinterService::Printer p;
    p.name = name;
    p.resolution = resolution;
    p.papers = {{9, "A4"}, {258, "送り状"}};
    // The printer layer lists names in UTF-8; Japanese ones must reach the boxes intact.
    p.bins = {{bin::Auto, "自動"}, {bin::Tractor, "トラクタ"}};
    return p;
}

std::unique_ptr<FakePrinterService> service(std::vector<FakePrinterService::Printer> printers, int defaultIndex = 0)
{
    auto fake = std::make_unique<FakePrinterService>(std::move(printers));
    fake->defaultIndex = defaultIndex;
    return fake;
}

void choosePaper(MainWindowFixture& fixture, int index)
{
    auto* box = fixture.control<QComboBox>("ComboBox_SEL");
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QString section(const QString& text, const QString& name)
{
    const qsizetype start = text.indexOf(QStringLiteral("[%1]\n").arg(name));
    if (start < 0) {
        return {};
    }
    const qsizetype end = text.indexOf(QLatin1Char('['), start + 1);
    return text.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void freshInstallUsesFirstPrinterWithoutMargins();
    void registeredNumberAtStart_data();
    void registeredNumberAtStart();
    void unavailableListsDisableTheirBox_data();
    void unavailableListsDisableTheirBox();
    void unlistedCurrentSettingStillShowsTheNewList_data();
    void unlistedCurrentSettingStillShowsTheNewList();
    void paperSelectionLoadsItsRegistration();
    void registerPrinter_data();
    void registerPrinter();
    void movedPrinterIsFoundByName();
    void missingPrinterIsNeverReplaced_data();
    void missingPrinterIsNeverReplaced();
    void printersChangingWhileRunning();
    void serverDownAtStart();
    void printAnsweredYesDrawsTheWholeSlip();
    void printAnsweredNoPrintsNothing();
    void storedMarginsAsPrinted_data();
    void storedMarginsAsPrinted();
    void effectiveResolution_data();
    void effectiveResolution();
};

void TestPrintWindow::freshInstallUsesFirstPrinterWithoutMargins()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    // The system's default is the second printer; an unregistered paper feed still takes the first.
    fixture.installPrinters(service({printer("First"), printer("Second")}, 1));
    TForm_Main& window = fixture.show();

    for (int paper : {0, 1}) {
        choosePaper(fixture, paper);
        QCOMPARE(window.printerIndex(), QStringLiteral("0"));
        QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), QStringLiteral("0"));
        QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Left")->text(), QStringLiteral("0"));
        QCOMPARE(PrinterAccess().Index(), 0);
        QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("First"));
        QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->currentText(), QStringLiteral("A4"));
        QCOMPARE(NamedControl<QComboBox>(window, "ComboBox3")->currentText(), QStringLiteral("自動"));
    }
    QVERIFY(fixture.prompt().errors.isEmpty());
    QVERIFY(!fixture.exists("mivo_a500.ini"));
}

void TestPrintWindow::registeredNumberAtStart_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("printerInForce");
    QTest::addColumn<QString>("error");
    QTest::newRow("-1 is the system's default") << "-1" << 1 << QString();
    QTest::newRow("a hand-edited word is a conversion error")
        << "zwei" << 1 << QStringLiteral("'zwei' is not a valid integer value.");
    QTest::newRow("a NUL does not cut the message")
        << QString("0") + QChar(0) + "9" << 1 << QStringLiteral("'0\u24009' is not a valid integer value.");
    QTest::newRow("control characters are shown")
        << QString("1") + QChar(0x1B) + "\t2" + QChar(0x7F) << 1
        << QStringLiteral("'1\u241B\u24092\u2421' is not a valid integer value.");
    QTest::newRow("full-width digits read as written")
        << "１２" << 1 << QStringLiteral("'１２' is not a valid integer value.");
}

void TestPrintWindow::registeredNumberAtStart()
{
    QFETCH(QString, number);
    QFETCH(int, printerInForce);
    QFETCH(QString, error);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\nPrnNoIndex=" + number + "\ndenPrn_Top=3\n"));
    fixture.installPrinters(service({printer("First"), printer("Second"), printer("Third")}, 1));
    TForm_Main& window = fixture.show();

    QCOMPARE(PrinterAccess().Index(), printerInForce);
    QCOMPARE(window.printerIndex(), number);
    QCOMPARE(fixture.prompt().errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), QStringLiteral("3"));
}

void TestPrintWindow::unavailableListsDisableTheirBox_data()
{
    QTest::addColumn<std::uint32_t>("fields");
    QTest::addColumn<bool>("paperEnabled");
    QTest::addColumn<int>("binIndex");
    QTest::newRow("no paper sizes: paper box off, sources never read") << dm::DefaultSource << false << -1;
    QTest::newRow("no sources: no source selected, box stays on") << dm::PaperSize << true << -1;
    QTest::newRow("both lists") << (dm::PaperSize | dm::DefaultSource) << true << 1;
}

void TestPrintWindow::unavailableListsDisableTheirBox()
{
    QFETCH(std::uint32_t, fields);
    QFETCH(bool, paperEnabled);
    QFETCH(int, binIndex);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    FakePrinterService::Printer limited = printer("Limited");
    limited.defaults = {fields, 9, 100, bin::Tractor};
    limited.settings = limited.defaults;
    fixture.installPrinters(service({limited}));
    TForm_Main& window = fixture.show();

    QVERIFY(NamedControl<QComboBox>(window, "ComboBox1")->isEnabled());
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->isEnabled(), paperEnabled);
    QVERIFY(NamedControl<QComboBox>(window, "ComboBox3")->isEnabled());
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox3")->currentIndex(), binIndex);
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestPrintWindow::unlistedCurrentSettingStillShowsTheNewList_data()
{
    QTest::addColumn<bool>("paperListed");
    QTest::addColumn<bool>("binListed");
    QTest::addColumn<QStringList>("papers");
    QTest::addColumn<bool>("paperEnabled");
    QTest::addColumn<QStringList>("bins");
    QTest::addColumn<int>("binIndex");
    // A failing paper lookup stops the refresh: the sources of the previous printer stay.
    QTest::newRow("paper size not listed: its list, no selection, box off")
        << false << true << QStringList{"Letter"} << false << QStringList{"自動", "トラクタ"} << 0;
    QTest::newRow("source not listed: its list, no selection")
        << true << false << QStringList{"A4"} << true << QStringList{"上段"} << -1;
}

void TestPrintWindow::unlistedCurrentSettingStillShowsTheNewList()
{
    QFETCH(bool, paperListed);
    QFETCH(bool, binListed);
    QFETCH(QStringList, papers);
    QFETCH(bool, paperEnabled);
    QFETCH(QStringList, bins);
    QFETCH(int, binIndex);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[連続(４インチ)]\nPrnNoIndex=1\n"));
    FakePrinterService::Printer second = printer("Second");
    second.papers = {{static_cast<std::uint16_t>(paperListed ? 9 : 1), papers.front().toStdString()}};
    second.bins = {{static_cast<std::uint16_t>(binListed ? bin::Auto : bin::Upper), bins.front().toStdString()}};
    fixture.installPrinters(service({printer("First"), second}));
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->currentText(), QStringLiteral("A4"));

    choosePaper(fixture, 1);

    QCOMPARE(PrinterAccess().Index(), 1);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("Second"));
    QStringList shownPapers;
    for (int i = 0; i < NamedControl<QComboBox>(window, "ComboBox2")->count(); ++i) {
        shownPapers << NamedControl<QComboBox>(window, "ComboBox2")->itemText(i);
    }
    QCOMPARE(shownPapers, papers);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->isEnabled(), paperEnabled);
    if (!paperEnabled) {
        QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->currentIndex(), -1);
    }
    QStringList shownBins;
    for (int i = 0; i < NamedControl<QComboBox>(window, "ComboBox3")->count(); ++i) {
        shownBins << NamedControl<QComboBox>(window, "ComboBox3")->itemText(i);
    }
    QCOMPARE(shownBins, bins);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox3")->currentIndex(), binIndex);
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestPrintWindow::paperSelectionLoadsItsRegistration()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\nPrnName=First\nPrnNoIndex=0\ndenPrn_Top=5\ndenPrn_Left=-7\n"
                                                "[連続(４インチ)]\nPrnName=Second\nPrnNoIndex=1\ndenPrn_Top=-40\n"
                                                "denPrn_Left=12\n"));
    fixture.installPrinters(service({printer("First"), printer("Second")}));
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("First"));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), QStringLiteral("5"));

    choosePaper(fixture, 1);
    QCOMPARE(window.printerIndex(), QStringLiteral("1"));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), QStringLiteral("-40"));
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Left")->text(), QStringLiteral("12"));
    QCOMPARE(PrinterAccess().Index(), 1);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("Second"));

    choosePaper(fixture, 0);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Left")->text(), QStringLiteral("-7"));
    QCOMPARE(PrinterAccess().Index(), 0);
}

void TestPrintWindow::registerPrinter_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("registered");
    QTest::addColumn<QString>("number");
    QTest::newRow("confirmed: the chosen printer") << true << "Second"
                                                   << "1";
    QTest::newRow("cancelled: the printer that was current") << false << "First"
                                                             << "0";
}

void TestPrintWindow::registerPrinter()
{
    QFETCH(bool, confirm);
    QFETCH(QString, registered);
    QFETCH(QString, number);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    // Margins of the continuous feed are kept; the hand-fed section must stay as it is.
    fixture.writeFile(
        "mivo_a500.ini",
        sjisFile("[手差し]\nPrnNoIndex=0\ndenPrn_Top=9\n[連続(４インチ)]\ndenPrn_Top=-4\ndenPrn_Left=6\n"));
    fixture.installPrinters(service({printer("First"), printer("Second")}));
    TForm_Main& window = fixture.show();
    choosePaper(fixture, 1);
    const QString handFed = section(registrationText(fixture), QStringLiteral("手差し"));

    bool asked = false;
    window.PrinterSetupDialog1->setRunner([&](DialogChoice& choice) {
        asked = true;
        choice.printer = "Second";
        choice.bin = bin::Tractor;
        return confirm;
    });
    QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_PrnSet"), Qt::LeftButton);

    QVERIFY(asked);
    QVERIFY(fixture.prompt().errors.isEmpty());
    QCOMPARE(window.printerIndex(), number);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), registered);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox3")->currentText(),
             confirm ? QStringLiteral("トラクタ") : QStringLiteral("自動"));
    const QString text = registrationText(fixture);
    QCOMPARE(section(text, QStringLiteral("連続(４インチ)")),
             // Keys already in the section keep their place; new ones follow in the order written. The
             // margins count in the resolution that was in force before the dialog.
             QStringLiteral("[連続(４インチ)]\ndenPrn_Top=-4\ndenPrn_Left=6\nPrnName=%1\nPrnNoIndex=%2\n"
                            "MarginDpi=180x180\n")
                 .arg(registered, number));
    QCOMPARE(section(text, QStringLiteral("手差し")), handFed);
}

void TestPrintWindow::movedPrinterIsFoundByName()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    // Registered as printer 0; a queue added since stands before it.
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\nPrnName=事務所 Dot 24\nPrnNoIndex=0\n"));
    fixture.installPrinters(service({printer("Added Later"), printer("事務所 Dot 24")}));
    TForm_Main& window = fixture.show();

    QCOMPARE(window.printerIndex(), QStringLiteral("1"));
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("事務所 Dot 24"));
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(1));
    QCOMPARE(fixture.printers().jobs.front().printer, std::string("事務所 Dot 24"));
}

void TestPrintWindow::missingPrinterIsNeverReplaced_data()
{
    QTest::addColumn<QString>("registration");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("error");
    QTest::newRow("a registered name no longer installed")
        << "PrnName=Gone\nPrnNoIndex=1"
        << "Gone（ありません）"
        << "登録されたプリンタ「Gone」が見つかりません。「セットするプリンタを登録」で選び直してください。";
    QTest::newRow("a number below the list")
        << "PrnNoIndex=-2"
        << "プリンタ番号 -2（ありません）"
        << "登録されたプリンタ番号 -2が見つかりません。「セットするプリンタを登録」で選"
           "び直してください。";
    QTest::newRow("a number past the list")
        << "PrnNoIndex=7"
        << "プリンタ番号 7（ありません）"
        << "登録されたプリンタ番号 7が見つかりません。「セットするプリンタを登録」で選"
           "び直してください。";
}

void TestPrintWindow::missingPrinterIsNeverReplaced()
{
    QFETCH(QString, registration);
    QFETCH(QString, shown);
    QFETCH(QString, error);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\n" + registration + "\n"));
    fixture.installPrinters(service({printer("First"), printer("Second")}));
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), shown);
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox2")->count(), 0);

    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.prompt().errors, QStringList{error});
    QVERIFY(fixture.printers().jobs.empty());

    // Cancelling the setup dialog chooses nothing; confirming it chooses the printer.
    for (bool confirm : {false, true}) {
        window.PrinterSetupDialog1->setRunner([&](DialogChoice& choice) {
            choice.printer = "Second";
            return confirm;
        });
        QTest::mouseClick(NamedControl<QPushButton>(window, "BitBtn_PrnSet"), Qt::LeftButton);
        QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(),
                 confirm ? QStringLiteral("Second") : shown);
    }
    const QString written = section(registrationText(fixture), QStringLiteral("手差し"));
    QVERIFY2(written.contains(QStringLiteral("\nPrnName=Second\n")) &&
                 written.contains(QStringLiteral("\nPrnNoIndex=1\n")),
             qPrintable(written));
}

void TestPrintWindow::printersChangingWhileRunning()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\nPrnName=Second\nPrnNoIndex=1\n"));
    fixture.installPrinters(service({printer("First"), printer("Second")}));
    TForm_Main& window = fixture.show();
    FakePrinterService& system = fixture.printers();

    system.printers = {printer("First")};
    system.changeSettings();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("Second（ありません）"));
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.prompt().errors.size(), 1);

    system.unreachable = "The print server cups.example:631 does not answer";
    system.changeSettings();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QString::fromStdString(system.unreachable));
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.prompt().errors.size(), 2);
    QCOMPARE(fixture.prompt().errors.back(), QString::fromStdString(system.unreachable) + ".");

    // Back, and now before the printer it stood after: found by its name.
    system.unreachable.clear();
    system.printers = {printer("Second"), printer("First")};
    system.changeSettings();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("Second"));
    QVERIFY(NamedControl<QComboBox>(window, "ComboBox2")->isEnabled());
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.prompt().errors.size(), 2);
    QCOMPARE(system.jobs.size(), std::size_t(1));
    QCOMPARE(system.jobs.front().printer, std::string("Second"));
}

void TestPrintWindow::serverDownAtStart()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    auto system = service({printer("First")});
    system->unreachable = "The print server cups.example:631 does not answer";
    fixture.installPrinters(std::move(system));
    TForm_Main& window = fixture.show();

    // The window starts whole; the printer box says why nothing can print, and F11 says it too.
    QVERIFY(fixture.prompt().errors.isEmpty());
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(),
             QStringLiteral("The print server cups.example:631 does not answer"));
    QCOMPARE(NamedControl<QToolButton>(window, "SpeedButton_F11")->text(), QStringLiteral("印刷"));
    QVERIFY(NamedControl<QToolButton>(window, "SpeedButton_F11")->isEnabled());
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();
    QCOMPARE(fixture.prompt().errors, QStringList{"The print server cups.example:631 does not answer."});
    QVERIFY(fixture.printers().jobs.empty());
}

void TestPrintWindow::printAnsweredYesDrawsTheWholeSlip()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\ndenPrn_Top=20\ndenPrn_Left=-10\n"));
    TForm_Main& window = fixture.show();
    fillSampleSlip(window);

    fixture.focus(QStringLiteral("Edit_G2"));
    fixture.prompt().answerYes();
    fixture.key(Qt::Key_F11);

    QCOMPARE(fixture.prompt().questions, QStringList{QStringLiteral("印刷しますか?")});
    QVERIFY(fixture.prompt().errors.isEmpty());
    QVERIFY(fixture.prompt().notices.isEmpty());
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(1));
    const FakePrinterService::Job& job = fixture.printers().jobs.front();
    QCOMPARE(job.title, std::string("mivo_Kangaroo  "));
    QVERIFY(job.ended && !job.aborted);
    const auto expected = sampleSlip();
    const auto& drawn = job.canvas.items();
    QCOMPARE(drawn.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QPoint at = deviceOf(expected[i], 180, 180, 20, -10);
        const RecordingCanvas::TextItem want{
            at.x(),   at.y(),  expected[i].text.toStdString(), expected[i].font.toStdString(), expected[i].points,
            0x000000, 0xFFFFFF};
        QVERIFY2(drawn[i] == want, qPrintable(expected[i].text));
    }
}

void TestPrintWindow::printAnsweredNoPrintsNothing()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    TForm_Main& window = fixture.show();
    fixture.focus(QStringLiteral("Edit_Add1"));
    const QString before = window.dpiX();

    fixture.prompt().answerNo();
    fixture.key(Qt::Key_F11);

    QVERIFY(fixture.printers().jobs.empty());
    QCOMPARE(fixture.focusedName(), QStringLiteral("Edit_G1"));
    QCOMPARE(window.dpiX(), before);
    QVERIFY(fixture.prompt().errors.isEmpty());
}

void TestPrintWindow::storedMarginsAsPrinted_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("inForce");
    QTest::addColumn<QString>("error");
    QTest::newRow("a half rounds up") << "1.5"
                                      << "2" << QString();
    QTest::newRow("a negative half rounds away from zero") << "-2.5"
                                                           << "-3" << QString();
    QTest::newRow("less than a half rounds down") << "7.49"
                                                  << "7" << QString();
    QTest::newRow("whole dots stay") << "-40"
                                     << "-40" << QString();
    QTest::newRow("a word stops before any job") << "1,5"
                                                 << "1,5" << QStringLiteral("'1,5' is not a valid integer value.");
}

void TestPrintWindow::storedMarginsAsPrinted()
{
    QFETCH(QString, stored);
    QFETCH(QString, inForce);
    QFETCH(QString, error);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini",
                      sjisFile(QStringLiteral("[手差し]\ndenPrn_Top=%1\ndenPrn_Left=%1\n").arg(stored)));
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Top")->text(), inForce);
    QCOMPARE(NamedControl<QLabel>(window, "Label_Prn_Left")->text(), inForce);

    fillSampleSlip(window);
    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();

    QCOMPARE(fixture.prompt().errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(fixture.printers().jobs.size(), std::size_t(error.isEmpty() ? 1 : 0));
    if (!error.isEmpty()) {
        return;
    }
    const FakePrinterService::Job& job = fixture.printers().jobs.front();
    QCOMPARE(job.ended, error.isEmpty());
    if (error.isEmpty()) {
        const QPoint at = deviceOf(sampleSlip().front(), 180, 180, inForce.toInt(), inForce.toInt());
        QCOMPARE(QPoint(job.canvas.items().front().x, job.canvas.items().front().y), at);
    } else {
        QVERIFY(job.canvas.items().empty());
    }
}

void TestPrintWindow::effectiveResolution_data()
{
    QTest::addColumn<Resolution>("resolution");
    QTest::addColumn<std::uint32_t>("fields");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("dpix");
    QTest::addColumn<QString>("dpiy");
    const std::uint32_t withScale = dm::PaperSize | dm::DefaultSource | dm::Scale;
    QTest::newRow("half scale doubles the dots per inch") << Resolution{180, 180} << withScale << 50 << "360"
                                                          << "360";
    QTest::newRow("a scale of 0 counts as 100") << Resolution{180, 180} << withScale << 0 << "180"
                                                << "180";
    QTest::newRow("no scale setting: the driver's scale is ignored")
        << Resolution{360, 180} << (dm::PaperSize | dm::DefaultSource) << 50 << "360"
        << "180";
    QTest::newRow("division truncates") << Resolution{120, 60} << withScale << 70 << "171"
                                        << "85";
}

void TestPrintWindow::effectiveResolution()
{
    QFETCH(Resolution, resolution);
    QFETCH(std::uint32_t, fields);
    QFETCH(int, scale);
    QFETCH(QString, dpix);
    QFETCH(QString, dpiy);
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    FakePrinterService::Printer scaled = printer("Scaled", resolution);
    scaled.defaults = {fields, 9, static_cast<std::uint16_t>(scale), bin::Auto};
    scaled.settings = scaled.defaults;
    fixture.installPrinters(service({scaled}));
    TForm_Main& window = fixture.show();
    fixture.control<QLineEdit>("Edit_de_date1")->setText("11");

    fixture.prompt().answerYes();
    NamedControl<QToolButton>(window, "SpeedButton_F11")->click();

    QCOMPARE(window.dpiX(), dpix);
    QCOMPARE(window.dpiY(), dpiy);
    // Row one of the slip lands by the effective resolution, not the printer's own.
    const auto& drawn = fixture.printers().jobs.at(0).canvas.items();
    QVERIFY(!drawn.empty());
    const QPoint at = deviceOf(sampleSlip().front(), dpix.toInt(), dpiy.toInt(), 0, 0);
    QCOMPARE(QPoint(drawn.front().x, drawn.front().y), at);
}

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
