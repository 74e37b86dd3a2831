#include "gui/PlatformPrintDialog.h"
#include "gui/TRefreshingPrintDialog.h"
#include "gui/TRefreshingPrinterSetupDialog.h"
#include "printers/CupsPrinterService.h"
#include "printers/TPrinterAccess.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>

Q_DECLARE_METATYPE(Capability)
Q_DECLARE_METATYPE(Resolution)
Q_DECLARE_METATYPE(std::string)

namespace {

QDialog* ModalDialog()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

// The box of a driver option in Qt's properties dialog: the one that lists this choice.
QComboBox* OptionBox(QDialog* properties, const QString& choice)
{
    for (auto* box : properties->findChildren<QComboBox*>()) {
        if (box->objectName().isEmpty() && box->findText(choice) >= 0)
            return box;
    }
    return nullptr;
}

std::string Shown(const std::vector<std::string>& names, int index)
{
    return index >= 0 && index < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(index)] : "";
}

} // namespace

// The dialogs over the built-in printer and a queue of the private CUPS server, answered by a
// scripted runner or by working Qt's own dialog.
class TestPrinterDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void confirmedChoiceBecomesCurrent_data();
    void confirmedChoiceBecomesCurrent();
    void cancelledDialogChangesNothing();
    void qtDialogKeepsWhatIsInForce_data();
    void qtDialogKeepsWhatIsInForce();
    void qtDialogOpensOnTheBuiltInPrinter();
    void madeUpSizeTakesTheDriversMargins();
    void qtDialogKeepsTheBinItCannotShow_data();
    void qtDialogKeepsTheBinItCannotShow();
    void qtDialogOffersPaperSizeAndSource_data();
    void qtDialogOffersPaperSizeAndSource();

private:
    QTemporaryDir m_dir;
};

void TestPrinterDialogs::init()
{
    // A server that answers without queues: the built-in printer is the one in force.
    if (qEnvironmentVariableIsEmpty("MIVO_TEST_CUPS_STATE"))
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    InstallPrinterService(std::make_unique<CupsPrinterService>(m_dir.path(), 0));
}

void TestPrinterDialogs::cleanup()
{
    UninstallPrinterService();
}

void TestPrinterDialogs::confirmedChoiceBecomesCurrent_data()
{
    QTest::addColumn<bool>("setup");
    QTest::addColumn<Capability>("paper");
    QTest::newRow("setup dialog, paper by size") << true << Capability{0, "Custom", 720, 288};
    QTest::newRow("setup dialog, paper by name") << true << Capability{0, "連続用紙 10×4インチ", 0, 0};
    QTest::newRow("print dialog, paper by number") << false << Capability{256, "", 0, 0};
}

void TestPrinterDialogs::confirmedChoiceBecomesCurrent()
{
    QFETCH(bool, setup);
    QFETCH(Capability, paper);

    TRefreshingPrinterSetupDialog setupDialog;
    TRefreshingPrintDialog printDialog;
    DialogChoice shown;
    const auto runner = [&](DialogChoice& choice) {
        shown = choice;
        choice.paperSize = paper;
        choice.bin = bin::Tractor;
        return true;
    };
    setupDialog.setRunner(runner);
    printDialog.setRunner(runner);
    // Cached before the dialog: only the refresh makes the choice visible.
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 0);

    QVERIFY(setup ? setupDialog.Execute() : printDialog.Execute());
    QCOMPARE(shown.printer, std::string("PDF"));
    QCOMPARE(shown.paperSize->name, std::string("A4"));
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 1);
    QCOMPARE(PrinterAccess().GetBinIndex(), 1);
}

void TestPrinterDialogs::cancelledDialogChangesNothing()
{
    TRefreshingPrinterSetupDialog dialog;
    dialog.setRunner([](DialogChoice& choice) {
        choice.paperSize = Capability{256, "", 720, 288};
        return false;
    });
    QVERIFY(!dialog.Execute());
    QCOMPARE(PrinterAccess().GetPaperSizeIndex(), 0);
}

void TestPrinterDialogs::qtDialogKeepsTheBinItCannotShow_data()
{
    QTest::addColumn<int>("bin");
    QTest::newRow("a usual bin") << int(bin::Tractor);
    QTest::newRow("a driver's own bin") << int(bin::User + 3);
}

void TestPrinterDialogs::qtDialogKeepsTheBinItCannotShow()
{
    QFETCH(int, bin);
    DialogChoice choice{"PDF", std::nullopt, static_cast<std::int16_t>(bin)};
    // Confirms Qt's dialog as soon as it is up, changing nothing in it.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->accept();
        }
    });
    QVERIFY(QtPrintDialogRunner(nullptr, true)(choice));
    QCOMPARE(choice.printer, std::string("PDF"));
    QVERIFY(choice.bin.has_value());
    QCOMPARE(int(*choice.bin), bin);
}

void TestPrinterDialogs::qtDialogOffersPaperSizeAndSource_data()
{
    QTest::addColumn<bool>("setup");
    QTest::newRow("setup dialog") << true;
    QTest::newRow("print dialog") << false;
}

void TestPrinterDialogs::qtDialogOffersPaperSizeAndSource()
{
    QFETCH(bool, setup);
    DialogChoice choice{"PDF", std::nullopt, std::nullopt};
    // Paper size and source are chosen under the dialog's properties button.
    bool offered = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            const auto* properties = dialog->findChild<QPushButton*>(QStringLiteral("properties"));
            offered = properties && properties->isVisible() && properties->isEnabled();
            dialog->reject();
        }
    });
    QVERIFY(!QtPrintDialogRunner(nullptr, setup)(choice));
    QVERIFY(offered);
}

void TestPrinterDialogs::qtDialogKeepsWhatIsInForce_data()
{
    QTest::addColumn<bool>("openProperties");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("source");
    QTest::addColumn<Resolution>("dpi");
    QTest::addColumn<std::string>("bin");
    QTest::newRow("confirmed unchanged") << false << QString() << QString() << Resolution{360, 180}
                                         << std::string("Tractor");
    QTest::newRow("properties confirmed unchanged")
        << true << QString() << QString() << Resolution{360, 180} << std::string("Tractor");
    QTest::newRow("resolution and source chosen under properties")
        << true << "120x60 dpi"
        << "Manual" << Resolution{120, 60} << std::string("Manual");
}

void TestPrinterDialogs::qtDialogKeepsWhatIsInForce()
{
    QFETCH(bool, openProperties);
    QFETCH(QString, resolution);
    QFETCH(QString, source);
    QFETCH(Resolution, dpi);
    QFETCH(std::string, bin);
    const QString queue = QStringLiteral("mivo_dialog_%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QProcess::execute("lpadmin", {"-p", queue, "-E", "-v", "file:///dev/null", "-P", MIVO_MARGINS_PPD}) == 0);
    InstallPrinterService(std::make_unique<CupsPrinterService>(m_dir.path(), 0));
    TPrinterAccess& access = PrinterAccess();
    const std::vector<std::string> printers = access.GetPrinterNames();
    access.SetIndex(
        static_cast<int>(std::find(printers.begin(), printers.end(), queue.toStdString()) - printers.begin()));
    // In force before the dialog: none of it the driver's default.
    DialogChoice earlier = access.Service().dialogChoice();
    earlier.paperSize = Capability{0, "Slip 10x4", 720, 288};
    earlier.bin = bin::Tractor;
    for (DialogChoice::DriverOption& option : earlier.driverOptions) {
        if (option.keyword == "Resolution")
            option.current = "360x180dpi";
    }
    access.Service().applyDialogChoice(earlier);
    access.Refresh();

    QString shownPaper;
    QString shownResolution;
    QString okText;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        okText = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        if (!openProperties) {
            dialog->accept();
            return;
        }
        QTimer::singleShot(0, [&, dialog] {
            QDialog* properties = ModalDialog();
            shownPaper = properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))->currentText();
            shownResolution = OptionBox(properties, QStringLiteral("180 dpi"))->currentText();
            if (!resolution.isEmpty())
                OptionBox(properties, resolution)->setCurrentText(resolution);
            if (!source.isEmpty())
                OptionBox(properties, source)->setCurrentText(source);
            properties->accept();
            QTimer::singleShot(0, dialog, &QDialog::accept);
        });
        dialog->findChild<QPushButton*>(QStringLiteral("properties"))->click();
    });
    const bool confirmed = ExecuteRefreshing(QtPrintDialogRunner(nullptr, true));
    QProcess::execute("lpadmin", {"-x", queue});

    QVERIFY(confirmed);
    QCOMPARE(okText, QStringLiteral("OK"));
    if (openProperties) {
        QCOMPARE(shownPaper, QStringLiteral("Slip 10x4"));
        QCOMPARE(shownResolution, QStringLiteral("360x180 dpi"));
    }
    QCOMPARE(Shown(access.GetPrinterNames(), access.GetIndex()), queue.toStdString());
    QCOMPARE(Shown(access.GetPaperSizeNames(), access.GetPaperSizeIndex()), std::string("Slip 10x4"));
    QCOMPARE(Shown(access.GetBinNames(), access.GetBinIndex()), bin);
    int x = 0;
    int y = 0;
    access.GetResolution(x, y);
    QCOMPARE(Resolution({x, y}), dpi);
}

void TestPrinterDialogs::qtDialogOpensOnTheBuiltInPrinter()
{
    TPrinterAccess& access = PrinterAccess();
    bool onBuiltIn = false;
    bool fileFieldShown = true;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        onBuiltIn = printers->currentIndex() == printers->count() - 1;
        fileFieldShown = dialog->findChild<QWidget*>(QStringLiteral("filename"))->isVisible();
        dialog->accept();
    });
    QVERIFY(ExecuteRefreshing(QtPrintDialogRunner(nullptr, true)));
    QVERIFY(onBuiltIn);
    QVERIFY(!fileFieldShown);
    QCOMPARE(Shown(access.GetPrinterNames(), access.GetIndex()), std::string("PDF"));
}

void TestPrinterDialogs::madeUpSizeTakesTheDriversMargins()
{
    const QString queue = QStringLiteral("mivo_custom_%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QProcess::execute("lpadmin", {"-p", queue, "-E", "-v", "file:///dev/null", "-P", MIVO_UNEQUAL_PPD}) == 0);
    InstallPrinterService(std::make_unique<CupsPrinterService>(m_dir.path(), 0));
    TPrinterAccess& access = PrinterAccess();
    const std::vector<std::string> printers = access.GetPrinterNames();
    access.SetIndex(
        static_cast<int>(std::find(printers.begin(), printers.end(), queue.toStdString()) - printers.begin()));
    const PageGeometry a4 = access.GetPageGeometry();

    const bool confirmed = ExecuteRefreshing([](DialogChoice& choice) {
        choice.paperSize = Capability{0, "Custom", 612, 300};
        return true;
    });
    const PageGeometry madeUp = access.GetPageGeometry();
    QProcess::execute("lpadmin", {"-x", queue});

    QVERIFY(confirmed);
    // The listed size has its own area; a made-up one the driver's margins for such sizes.
    QCOMPARE(QPointF(a4.printableLeftPt, a4.printableTopPt), QPointF(12, 24));
    QCOMPARE(QSizeF(madeUp.paperWidthPt, madeUp.paperHeightPt), QSizeF(612, 300));
    QCOMPARE(QPointF(madeUp.printableLeftPt, madeUp.printableTopPt), QPointF(9, 27));
    QVERIFY(qAbs(madeUp.printableWidthPt - (612 - 9 - 18)) < 1e-6);
    QVERIFY(qAbs(madeUp.printableHeightPt - (300 - 14.4 - 27)) < 1e-6);
    QCOMPARE(Shown(access.GetPaperSizeNames(), access.GetPaperSizeIndex()), std::string("612x300"));
}

QTEST_MAIN(TestPrinterDialogs)
#include "tst_printerdialogs.moc"
