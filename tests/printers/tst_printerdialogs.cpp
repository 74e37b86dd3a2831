#include "CupsPrinterService.h"
#include "PlatformPrintDialog.h"
#include "TPrinterAccess.h"
#include "TRefreshingPrintDialog.h"
#include "TRefreshingPrinterSetupDialog.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>

Q_DECLARE_METATYPE(Capability)

// The dialogs over the built-in printer, answered by a scripted runner.
class TestPrinterDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void confirmedChoiceBecomesCurrent_data();
    void confirmedChoiceBecomesCurrent();
    void cancelledDialogChangesNothing();
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

QTEST_MAIN(TestPrinterDialogs)
#include "tst_printerdialogs.moc"
