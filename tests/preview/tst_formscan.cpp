#include "preview/FormScan.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The scan's record in the settings file and its placement on the paper.
namespace {

QByteArray section(const QString& entries)
{
    QString text = QStringLiteral("[mv_Kangarooprn]\r\nE_G1=abc\r\n[FormScan]\r\n") + entries;
    text.replace(QStringLiteral("|"), QStringLiteral("\r\n"));
    return text.toLatin1();
}

} // namespace

class TestFormScan : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatPlacesAScan_data();
    void readsWhatPlacesAScan();
    void refusesWhatCannotPlaceAScan_data();
    void refusesWhatCannotPlaceAScan();
    void referencePixelsLandOnTheirPaperPlaces_data();
    void referencePixelsLandOnTheirPaperPlaces();
    void writeKeepsEveryOtherEntry();
};

void TestFormScan::readsWhatPlacesAScan_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("byPoints");
    QTest::addColumn<double>("dpi");
    QTest::newRow("by resolution") << "Url=file:///home/u/form.png|Dpi=200|"
                                   << "/home/u/form.png" << false << 200.0;
    QTest::newRow("a Japanese file name, encoded") << "Url=file:///home/u/%E9%80%81%E3%82%8A%E7%8A%B6.jpg|Dpi=150.5|"
                                                   << "/home/u/送り状.jpg" << false << 150.5;
    QTest::newRow("by points, resolution ignored")
        << "Url=file:///f.png|Dpi=|ScanPixels=10,20,1000,700|PaperMillimetres=5,6,150,90|"
        << "/f.png" << true << 0.0;
    QTest::newRow("half-written points fall back to the resolution")
        << "Url=file:///f.png|Dpi=300|ScanPixels=10,20,1000|PaperMillimetres=5,6,150,90|"
        << "/f.png" << false << 300.0;
}

void TestFormScan::readsWhatPlacesAScan()
{
    QFETCH(QString, entries);
    QFETCH(QString, file);
    QFETCH(bool, byPoints);
    QFETCH(double, dpi);
    const std::optional<FormScan> scan = formscan::Parse(section(entries).toStdString());
    QVERIFY(scan.has_value());
    QCOMPARE(scan->file, file);
    QCOMPARE(scan->byPoints, byPoints);
    if (!byPoints) {
        QCOMPARE(scan->dpi, dpi);
    }
}

void TestFormScan::refusesWhatCannotPlaceAScan_data()
{
    QTest::addColumn<QString>("entries");
    QTest::newRow("nothing recorded") << "";
    QTest::newRow("no file") << "Dpi=200|";
    QTest::newRow("not a local file") << "Url=http://example.com/a.png|Dpi=200|";
    QTest::newRow("a URL without a path") << "Url=file:|Dpi=200|";
    QTest::newRow("not a URL") << "Url=%%%|Dpi=200|";
    QTest::newRow("zero resolution") << "Url=file:///f.png|Dpi=0|";
    QTest::newRow("negative resolution") << "Url=file:///f.png|Dpi=-5|";
    QTest::newRow("absurd resolution") << "Url=file:///f.png|Dpi=1e300|";
    QTest::newRow("not a number") << "Url=file:///f.png|Dpi=nan|";
    QTest::newRow("coinciding scan points") << "Url=file:///f.png|ScanPixels=10,10,10,10|PaperMillimetres=5,6,150,90|";
    QTest::newRow("coinciding paper points") << "Url=file:///f.png|ScanPixels=10,10,500,600|PaperMillimetres=5,6,5,6|";
    QTest::newRow("infinite point") << "Url=file:///f.png|ScanPixels=10,10,inf,600|PaperMillimetres=5,6,7,8|";
}

void TestFormScan::refusesWhatCannotPlaceAScan()
{
    QFETCH(QString, entries);
    QVERIFY(!formscan::Parse(section(entries).toStdString()).has_value());
}

void TestFormScan::referencePixelsLandOnTheirPaperPlaces_data()
{
    QTest::addColumn<QPointF>("pixel0");
    QTest::addColumn<QPointF>("pixel1");
    QTest::addColumn<QPointF>("mm0");
    QTest::addColumn<QPointF>("mm1");
    QTest::newRow("scaled and shifted") << QPointF(100, 50) << QPointF(1100, 550) << QPointF(10, 5)
                                        << QPointF(137, 68.5);
    QTest::newRow("scan turned a quarter") << QPointF(0, 0) << QPointF(0, 400) << QPointF(50, 10) << QPointF(10, 10);
    QTest::newRow("scan upside down") << QPointF(800, 600) << QPointF(0, 0) << QPointF(0, 0) << QPointF(101.6, 76.2);
}

void TestFormScan::referencePixelsLandOnTheirPaperPlaces()
{
    QFETCH(QPointF, pixel0);
    QFETCH(QPointF, pixel1);
    QFETCH(QPointF, mm0);
    QFETCH(QPointF, mm1);
    FormScan scan;
    scan.file = QStringLiteral("/f.png");
    scan.byPoints = true;
    scan.scanPixel[0] = pixel0;
    scan.scanPixel[1] = pixel1;
    scan.paperMm[0] = mm0;
    scan.paperMm[1] = mm1;
    const std::optional<QTransform> toPaper = formscan::ToPaperPoints(scan);
    QVERIFY(toPaper.has_value());
    const auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 1e-6; };
    QVERIFY(near(toPaper->map(pixel0), mm0 * 72 / 25.4));
    QVERIFY(near(toPaper->map(pixel1), mm1 * 72 / 25.4));
    // A similarity: the scan is never sheared or stretched one way only.
    QVERIFY(qAbs(toPaper->m11() - toPaper->m22()) < 1e-9 && qAbs(toPaper->m12() + toPaper->m21()) < 1e-9);
}

void TestFormScan::writeKeepsEveryOtherEntry()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mivo_Kangaroo.ini"));
    const QByteArray before = "[mv_Kangarooprn]\r\nE_G1=\x93\xFA\x96\x7B\r\nKOSUU=3\r\n";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    FormScan byPoints;
    byPoints.file = dir.filePath(QStringLiteral("用紙 1.png"));
    byPoints.byPoints = true;
    byPoints.scanPixel[0] = QPointF(12.5, 30);
    byPoints.scanPixel[1] = QPointF(1500, 800.25);
    byPoints.paperMm[0] = QPointF(20, 4.5);
    byPoints.paperMm[1] = QPointF(180, 90);
    formscan::Write(path.toStdString(), byPoints);
    QCOMPARE(formscan::Read(path.toStdString()), std::optional<FormScan>(byPoints));

    FormScan byDpi;
    byDpi.file = byPoints.file;
    byDpi.dpi = 240;
    formscan::Write(path.toStdString(), byDpi);
    QCOMPARE(formscan::Read(path.toStdString()), std::optional<FormScan>(byDpi));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(before));
}

QTEST_APPLESS_MAIN(TestFormScan)
#include "tst_formscan.moc"
