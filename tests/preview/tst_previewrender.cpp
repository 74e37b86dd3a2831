#include "platform/FontSubstitutes.h"
#include "preview/PreviewRenderer.h"
#include "preview/PreviewScene.h"

#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The preview's picture: the page at true scale, the scan under it, and the preview and the
// print command's own job putting every text at the same place.
namespace {

PageGeometry a4WithMargins(Resolution dpi)
{
    PageGeometry page;
    page.paperWidthPt = 595;
    page.paperHeightPt = 842;
    page.printableLeftPt = 18;
    page.printableTopPt = 24;
    page.printableWidthPt = 559;
    page.printableHeightPt = 800;
    page.dpi = dpi;
    return page;
}

PreviewScene sceneOf(Resolution dpi)
{
    PreviewScene scene;
    scene.page = a4WithMargins(dpi);
    scene.printState = {dpi.x, dpi.y, 0, 0};
    return scene;
}

// A scan of `dpi` with one black 10-pixel square whose corner is at `corner`.
QString writeScan(const QTemporaryDir& dir, const char* format, QPoint corner)
{
    QImage scan(800, 600, QImage::Format_RGB32);
    scan.fill(Qt::white);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            scan.setPixel(corner.x() + x, corner.y() + y, qRgb(0, 0, 0));
        }
    }
    const QString path = dir.filePath(QStringLiteral("scan.%1").arg(QLatin1String(format)));
    QImageWriter writer(path, format);
    writer.setQuality(100);
    writer.write(scan);
    return path;
}

bool dark(const QImage& image, QPointF at)
{
    return qGray(image.pixel(at.toPoint())) < 100;
}

} // namespace

class TestPreviewRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureIsThePaperAtTheRequestedResolution_data();
    void pictureIsThePaperAtTheRequestedResolution();
    void scanLiesAtTrueScale_data();
    void scanLiesAtTrueScale();
    void unreadableScanIsRefused_data();
    void unreadableScanIsRefused();
    void textsThatDoNotFitAreFramedInRed_data();
    void textsThatDoNotFitAreFramedInRed();
};

void TestPreviewRender::initTestCase()
{
    InstallFontSubstitutes();
}

void TestPreviewRender::pictureIsThePaperAtTheRequestedResolution_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<QSize>("size");
    QTest::newRow("180 dpi") << 180.0 << QSize(1488, 2105);
    QTest::newRow("72 dpi") << 72.0 << QSize(595, 842);
    QTest::newRow("screen at 96 dpi") << 96.0 << QSize(794, 1123);
}

void TestPreviewRender::pictureIsThePaperAtTheRequestedResolution()
{
    QFETCH(double, dpi);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("page.png"));
    preview::WritePng(png, sceneOf({120, 60}), dpi);
    const QImage image(png);
    QCOMPARE(image.size(), size);
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), qRound(dpi));
    // The unreachable border is shaded, the printable area white.
    const double perPt = dpi / 72;
    QVERIFY(qGray(image.pixel(QPointF(9 * perPt, 400 * perPt).toPoint())) < 250);
    QCOMPARE(image.pixel(QPointF(300 * perPt, 700 * perPt).toPoint()), qRgb(255, 255, 255));
}

void TestPreviewRender::scanLiesAtTrueScale_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("byPoints");
    QTest::newRow("PNG by its resolution") << QByteArray("png") << false;
    QTest::newRow("JPEG by two points") << QByteArray("jpeg") << true;
}

void TestPreviewRender::scanLiesAtTrueScale()
{
    QFETCH(QByteArray, format);
    QFETCH(bool, byPoints);
    QTemporaryDir dir;
    // 200 dpi: the square's corner at pixel (400, 300) is 2 x 1.5 inches from the scan's corner.
    FormScan scan;
    scan.file = writeScan(dir, format.constData(), QPoint(400, 300));
    scan.dpi = 200;
    if (byPoints) {
        // The same placement given as two pixels and their places, in millimetres.
        scan.byPoints = true;
        scan.scanPixel[0] = QPointF(0, 0);
        scan.scanPixel[1] = QPointF(200, 100);
        scan.paperMm[0] = QPointF(0, 0);
        scan.paperMm[1] = QPointF(25.4, 12.7);
    }
    PreviewScene scene = sceneOf({180, 180});
    QVERIFY(preview::AddScan(scene, scan));
    const QImage image = preview::RenderImage(scene, 100);
    // 2 x 1.5 inches at 100 dpi, the square 5 pixels wide.
    QVERIFY(dark(image, QPointF(202.5, 152.5)));
    QVERIFY(!dark(image, QPointF(196, 152.5)));
    QVERIFY(!dark(image, QPointF(202.5, 146)));
    QVERIFY(!dark(image, QPointF(209, 159)));
}

void TestPreviewRender::unreadableScanIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QByteArray() << "missing.png";
    QTest::newRow("garbage named .png") << QByteArray("\x89PNG\r\n\x1a\ngarbage", 16) << "bad.png";
    QTest::newRow("text named .jpg") << QByteArray("hello") << "text.jpg";
    QTest::newRow("a BMP is not offered") << QByteArray() << "scan.bmp";
}

void TestPreviewRender::unreadableScanIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name.endsWith(QLatin1String(".bmp"))) {
        QImage(20, 20, QImage::Format_RGB32).save(path, "BMP");
    } else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    FormScan scan;
    scan.file = path;
    scan.dpi = 200;
    PreviewScene scene = sceneOf({180, 180});
    QVERIFY(!preview::AddScan(scene, scan));
    QVERIFY(scene.scan.isNull());
}

void TestPreviewRender::textsThatDoNotFitAreFramedInRed_data()
{
    QTest::addColumn<double>("printableHeightPt");
    QTest::addColumn<bool>("framed");
    QTest::newRow("A4 printable to 824 pt: the slip fits") << 800.0 << false;
    QTest::newRow("a 4-inch form cut 18 pt above its fold: the name rows") << 252.0 << true;
}

void TestPreviewRender::textsThatDoNotFitAreFramedInRed()
{
    QFETCH(double, printableHeightPt);
    QFETCH(bool, framed);
    PreviewScene scene = sceneOf({180, 180});
    scene.page.printableTopPt = 18;
    scene.page.printableHeightPt = printableHeightPt;
    scene.slip.recipient.name = "山田太郎";
    const QImage image = preview::RenderImage(scene, 144);
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            red += pixel.red() > 180 && pixel.green() < 30 && pixel.blue() < 30 ? 1 : 0;
        }
    }
    QCOMPARE(red > 0, framed);
}

QTEST_MAIN(TestPreviewRender)
#include "tst_previewrender.moc"
