#include "platform/FontSubstitutes.h"
#include "platform/QPainterCanvas.h"
#include "printers/PageGeometry.h"
#include "slipprint/MarginDots.h"
#include "slipprint/SlipDrawing.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// Draws slips into real PDF files and reads every text's position back with pdftotext.
namespace {

struct Word
{
    QString text;
    QPointF topLeft; // in points
    double height = 0;
};

// Texts pdftotext reads back as one word each.
Slip wordSlip()
{
    Slip s;
    s.deliveryMonth = "11";
    s.deliveryDay = "28";
    s.timeMorning = true;
    s.slipYear = 2026;
    s.slipMonth = 12;
    s.slipDay = 7;
    s.goods = {"GoodsOne", "GoodsTwo", "GoodsThree"};
    s.recipient = {"100-0001", "東京都千代田区", "AddressTwo", "山田太郎", "03-1111-2222"};
    s.sender = {"530-0001", "SenderAddressOne", "SenderAddressTwo", "SenderName", "06-3333-4444"};
    s.pieceCount = "123";
    return s;
}

// Slip position of each text of wordSlip(), in slip units.
struct Expected
{
    const char* text;
    int x;
    int y;
};
const Expected kExpected[] = {
    {"11", 180, 10},
    {"28", 250, 10},
    {"○", 750, 1},
    {"2026", 310, 66},
    {"12", 440, 66},
    {"07", 560, 66},
    {"GoodsOne", 240, 160},
    {"GoodsTwo", 240, 200},
    {"GoodsThree", 240, 240},
    {"03-1111-2222", 290, 320},
    {"100-0001", 230, 375},
    {"東京都千代田区", 214, 430},
    {"AddressTwo", 214, 480},
    {"山田太郎", 214, 535},
    {"06-3333-4444", 720, 320},
    {"530-0001", 690, 375},
    {"SenderAddressOne", 680, 430},
    {"SenderAddressTwo", 680, 480},
    {"SenderName", 680, 535},
    // The three count boxes stand so close that the digits read back as one word.
    {"123", 1078, 520},
};

QString writeSlipPdf(const QString& path, const SlipPrintState& state, int dpi)
{
    QPdfWriter writer(path);
    writer.setResolution(dpi);
    writer.setPageSize(QPageSize(QSizeF(9.0, 5.0), QPageSize::Inch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QPainterCanvas canvas(painter);
    DrawSlip(wordSlip(), state, canvas);
    return path;
}

QList<Word> readWords(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const double top = match.captured(2).toDouble();
        words.append(
            {match.captured(4), QPointF(match.captured(1).toDouble(), top), match.captured(3).toDouble() - top});
    }
    return words;
}

std::optional<Word> find(const QList<Word>& words, const QString& text)
{
    for (const Word& w : words) {
        if (w.text == text) {
            return w;
        }
    }
    return std::nullopt;
}

} // namespace

class TestSlipPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textsLandAtTheirDots_data();
    void textsLandAtTheirDots();
    void pagePlacementOnAnyPainter_data();
    void pagePlacementOnAnyPainter();

private:
    QTemporaryDir m_dir;
};

void TestSlipPdf::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    InstallFontSubstitutes();
}

void TestSlipPdf::textsLandAtTheirDots_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::newRow("160 dpi, no margins") << 160 << "0"
                                         << "0";
    QTest::newRow("180 dpi, no margins") << 180 << "0"
                                         << "0";
    QTest::newRow("180 dpi, top 25, left 40") << 180 << "25"
                                              << "40";
    QTest::newRow("360 dpi, top 12, left -60") << 360 << "12"
                                               << "-60";
    QTest::newRow("160 dpi, empty margins") << 160 << ""
                                            << "";
}

void TestSlipPdf::textsLandAtTheirDots()
{
    QFETCH(int, dpi);
    QFETCH(QString, top);
    QFETCH(QString, left);
    const QString pdf =
        writeSlipPdf(m_dir.filePath(QStringLiteral("slip-%1.pdf").arg(QTest::currentDataTag())),
                     {dpi, dpi, margins::MarginDots(top.toStdString()), margins::MarginDots(left.toStdString())}, dpi);
    const QList<Word> words = readWords(pdf);
    QVERIFY(!words.isEmpty());

    const double scale = dpi / 160.0;
    const double dotsPerPoint = dpi / 72.0;
    for (const Expected& e : kExpected) {
        const auto word = find(words, QString::fromUtf8(e.text));
        if (!word) {
            QStringList texts;
            for (const Word& w : words) {
                texts << w.text;
            }
            QFAIL(qPrintable(QStringLiteral("%1 not among %2").arg(QString::fromUtf8(e.text), texts.join(u'|'))));
        }
        // Read back from points, a text stands within a quarter dot of its place.
        const double x = std::floor(scale * e.x + 0.5) + left.toInt() - 90;
        const double y = std::floor(scale * e.y + 0.5) + top.toInt();
        QVERIFY2(std::abs(word->topLeft.x() * dotsPerPoint - x) < 0.25, e.text);
        QVERIFY2(std::abs(word->topLeft.y() * dotsPerPoint - y) < 0.25, e.text);
    }
}

void TestSlipPdf::pagePlacementOnAnyPainter_data()
{
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    QTest::addColumn<QPointF>("origin");
    // Painter units per inch: the printer's dots for a job, anything for a preview.
    QTest::addColumn<int>("unitsPerInch");
    QTest::newRow("job at 180 dpi, 18 pt margins") << 180 << 180 << QPointF(18, 18) << 180;
    QTest::newRow("job at 120 x 60 dpi, unequal margins") << 120 << 60 << QPointF(12, 24) << 120;
    QTest::newRow("job at 360 x 180 dpi, unequal margins") << 360 << 180 << QPointF(9, 36) << 360;
    QTest::newRow("preview in points of 360 x 180 dpi") << 360 << 180 << QPointF(9, 36) << 72;
    QTest::newRow("preview at 96 per inch of 120 x 60 dpi") << 120 << 60 << QPointF(18, 18) << 96;
}

void TestSlipPdf::pagePlacementOnAnyPainter()
{
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    QFETCH(QPointF, origin);
    QFETCH(int, unitsPerInch);
    PageGeometry page;
    page.paperWidthPt = 720;
    page.paperHeightPt = 400;
    page.printableLeftPt = origin.x();
    page.printableTopPt = origin.y();
    page.dpi = {dpix, dpiy};
    const SlipPrintState state{dpix, dpiy, 0, 0};
    const QString path = m_dir.filePath(
        QStringLiteral("page-%1.pdf").arg(QString::fromUtf8(QTest::currentDataTag()).replace(u' ', u'_')));
    {
        QPdfWriter writer(path);
        writer.setResolution(unitsPerInch);
        writer.setPageSize(QPageSize(QSizeF(page.paperWidthPt, page.paperHeightPt), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        QPainterCanvas canvas(painter, page.placement(unitsPerInch));
        DrawSlip(wordSlip(), state, canvas);
    }
    const QList<Word> words = readWords(path);
    for (const Expected& e : kExpected) {
        const auto word = find(words, QString::fromUtf8(e.text));
        QVERIFY2(word, e.text);
        const double x = std::floor(dpix / 160.0 * e.x + 0.5) - 90;
        const double y = std::floor(dpiy / 160.0 * e.y + 0.5);
        QVERIFY2(std::abs((word->topLeft.x() - origin.x()) * dpix / 72.0 - x) < 0.25, e.text);
        QVERIFY2(std::abs((word->topLeft.y() - origin.y()) * dpiy / 72.0 - y) < 0.25, e.text);
        // Lines of the same size stand equally high in points at every resolution and scale.
        QVERIFY2(word->height > 0.9 * 9 && word->height < 1.6 * 26, e.text);
    }
    const auto goods = find(words, QStringLiteral("GoodsOne"));
    QVERIFY(goods);
    QVERIFY2(goods->height > 0.9 * 11 && goods->height < 1.6 * 11, qPrintable(QString::number(goods->height)));
}

QTEST_MAIN(TestSlipPdf)
#include "tst_slippdf.moc"
