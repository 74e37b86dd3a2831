#include "gui/PreviewWindow.h"
#include "gui/TForm_SLIP97YPrn.h"
#include "preview/PreviewScene.h"
#include "slipprint/SlipDrawing.h"
#include "tests/support/PrintWindowSupport.h"
#include "tests/support/RecordingCanvas.h"

#include <QComboBox>
#include <QDirIterator>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

// The preview window over the real main window and the fake printer service.
using namespace printwindow;

namespace {

// Every file under the folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
}

std::unique_ptr<FakePrinterService> a4Printer(Resolution dpi)
{
    FakePrinterService::Printer printer;
    printer.name = "Fake Printer";
    printer.papers = {{9, "A4", 595, 842}};
    printer.resolution = dpi;
    return std::make_unique<FakePrinterService>(std::vector{printer});
}

TForm_Main& showWindow(MainWindowFixture& fixture)
{
    fixture.installPrinters(a4Printer({120, 60}));
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini",
                      sjisFile("[手差し]\nPrnName=Fake Printer\nPrnNoIndex=0\ndenPrn_Top=12\ndenPrn_Left=-4\n"));
    TForm_Main& window = fixture.show();
    fillSampleSlip(window);
    return window;
}

QString writeScan(const MainWindowFixture& fixture)
{
    QImage scan(400, 300, QImage::Format_RGB32);
    scan.fill(Qt::yellow);
    const QString path = fixture.path(QStringLiteral("form.png"));
    scan.save(path, "PNG");
    return path;
}

// Runs `inside` on the preview that F9 opens, then closes it.
void withPreview(MainWindowFixture& fixture, const std::function<void(PreviewWindow&)>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<PreviewWindow*>(QApplication::activeModalWidget());
        if (preview != nullptr) {
            inside(*preview);
            preview->reject();
            ran = true;
        }
    });
    fixture.key(Qt::Key_F9);
    QVERIFY(ran);
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void f9ShowsTheNextPrintAndWritesNothing();
    void zoomFollowsTheScreen_data();
    void zoomFollowsTheScreen();
    void printsFromThePreview();
    void twoClickedPointsPlaceTheScan();
    void goneRegisteredPrinterIsReportedNotReplaced();
};

void TestPreviewWindow::f9ShowsTheNextPrintAndWritesNothing()
{
    MainWindowFixture fixture;
    TForm_Main& window = showWindow(fixture);
    const QString scan = writeScan(fixture);
    fixture.writeFile("mivo_Kangaroo.ini", "[mv_Kangarooprn]\r\nE_G1=x\r\n[FormScan]\r\nUrl=" +
                                               QUrl::fromLocalFile(scan).toEncoded() + "\r\nDpi=100\r\n");
    const QMap<QString, QByteArray> before = snapshot(fixture.folder());
    QCOMPARE(NamedControl<QToolButton>(window, "SpeedButton_F9")->text(), QStringLiteral("プレビュー"));

    withPreview(fixture, [&](PreviewWindow& preview) {
        const PreviewScene& scene = preview.scene();
        QCOMPARE(scene.page.paperWidthPt, 595.0);
        QCOMPARE(scene.page.dpi, (Resolution{120, 60}));
        QVERIFY((scene.printState == SlipPrintState{120, 60, 12, -4}));
        QCOMPARE(scene.slip.goods[0], std::string("りんご"));
        QCOMPARE(scene.scan.size(), QSize(400, 300));
        QVERIFY(preview.Label_PageInfo->text().contains(QStringLiteral("120×60 dpi")));
        for (int zoom : {1, 2, 0}) {
            preview.ComboBox_Zoom->setCurrentIndex(zoom);
        }
    });
    QCOMPARE(snapshot(fixture.folder()), before);
    QVERIFY(fixture.prompt().errors.isEmpty());
    // The print state the window holds is that of the last print, untouched.
    QVERIFY(window.dpiX().isEmpty());
}

void TestPreviewWindow::zoomFollowsTheScreen_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<double>("factor");
    QTest::newRow("100 %: real size") << int(PreviewWindow::ZoomActual) << 1.0;
    QTest::newRow("200 %") << int(PreviewWindow::ZoomDouble) << 2.0;
    QTest::newRow("fit") << int(PreviewWindow::ZoomFit) << 0.0;
}

void TestPreviewWindow::zoomFollowsTheScreen()
{
    QFETCH(int, zoom);
    QFETCH(double, factor);
    MainWindowFixture fixture;
    showWindow(fixture);
    withPreview(fixture, [&](PreviewWindow& preview) {
        preview.ComboBox_Zoom->setCurrentIndex(zoom);
        const QSizeF shown = preview.Label_Page->pixmap().deviceIndependentSize();
        if (factor > 0) {
            const double screenDpi = preview.screen()->physicalDotsPerInch();
            QVERIFY(qAbs(preview.shownDpi() - factor * screenDpi) < 1e-9);
            QVERIFY(qAbs(shown.width() - 595.0 / 72 * factor * screenDpi) <= 1);
        } else {
            const QSize room = preview.findChild<QScrollArea*>()->maximumViewportSize();
            QVERIFY(shown.width() <= room.width() && shown.height() <= room.height());
            QVERIFY(shown.width() >= room.width() - 10 || shown.height() >= room.height() - 10);
        }
    });
}

void TestPreviewWindow::printsFromThePreview()
{
    MainWindowFixture fixture;
    TForm_Main& window = showWindow(fixture);
    RecordingCanvas expected;
    withPreview(fixture, [&](PreviewWindow& preview) {
        DrawSlip(preview.scene().slip, preview.scene().printState, expected);
        fixture.prompt().answerYes();
        QTest::mouseClick(preview.BitBtn_Print, Qt::LeftButton);
    });
    QCOMPARE(fixture.prompt().questions, QStringList{QStringLiteral("印刷しますか?")});
    QCOMPARE(fixture.printers().jobs.size(), std::size_t{1});
    // What was shown is what printed.
    QVERIFY(fixture.printers().jobs.front().canvas.items() == expected.items());
    QCOMPARE(window.dpiY(), QStringLiteral("60"));
}

void TestPreviewWindow::twoClickedPointsPlaceTheScan()
{
    MainWindowFixture fixture;
    showWindow(fixture);
    const QString settings = fixture.path(QStringLiteral("mivo_Kangaroo.ini"));
    FormScan scan;
    scan.file = writeScan(fixture);
    scan.dpi = 100;
    withPreview(fixture, [&](PreviewWindow& preview) {
        QVERIFY(preview.setScan(scan));
        preview.ComboBox_Zoom->setCurrentIndex(PreviewWindow::ZoomActual);
        // The user clicks where the scan shows the two corners: 30 and 20 points off the outline.
        const QPointF offset(30, 20);
        QTest::mouseClick(preview.BitBtn_ScanPoints, Qt::LeftButton);
        for (int i = 0; i < 2; ++i) {
            const QPointF at = (preview.referencePoint(i) + offset) * preview.shownDpi() / 72;
            QTest::mouseClick(preview.Label_Page, Qt::LeftButton, {}, at.toPoint());
        }
        const std::optional<FormScan> stored = formscan::Read(settings.toStdString());
        QVERIFY(stored && stored->byPoints);
        // What is shown is what the settings now hold.
        const QTransform reread = *formscan::ToPaperPoints(*stored);
        for (const QPointF corner : {QPointF(0, 0), QPointF(400, 300)}) {
            QVERIFY(QLineF(reread.map(corner), preview.scene().scanToPaperPoints.map(corner)).length() < 1e-6);
        }
        // The scan moved by the offset: its clicked pixels now lie on the outline's corners.
        for (int i = 0; i < 2; ++i) {
            const QPointF landed = preview.scene().scanToPaperPoints.map(stored->scanPixel[i]);
            QVERIFY(QLineF(landed, preview.referencePoint(i)).length() < 1);
            QVERIFY(QLineF(stored->scanPixel[i], (preview.referencePoint(i) + offset) * 100 / 72).length() < 2);
        }
    });
    QVERIFY(fixture.prompt().errors.isEmpty());
    QVERIFY(fixture.prompt().notices.isEmpty());
}

void TestPreviewWindow::goneRegisteredPrinterIsReportedNotReplaced()
{
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile("[手差し]\nPrnName=Gone Printer\nPrnNoIndex=0\n"));
    TForm_Main& window = fixture.show();
    const QString error = QStringLiteral(
        "登録されたプリンタ「Gone Printer」が見つかりません。「セットするプリンタを登録」で選び直してください。");

    bool previewShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<PreviewWindow*>(QApplication::activeModalWidget())) {
            previewShown = true;
            preview->reject();
        }
    });
    fixture.key(Qt::Key_F9);
    QVERIFY(!previewShown);
    QCOMPARE(fixture.prompt().errors, QStringList{error});

    auto* dialog = window.findChild<TForm_SLIP97YPrn*>();
    dialog->show();
    QTest::mouseClick(dialog->BitBtn_TestPrint, Qt::LeftButton);
    QCOMPARE(fixture.prompt().errors, (QStringList{error, error}));
    QVERIFY(fixture.printers().jobs.empty());
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
