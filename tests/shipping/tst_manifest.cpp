#include "shipping/ManifestDrawing.h"
#include "shipping/ManifestPdf.h"
#include "tests/shipping/ShippingSamples.h"
#include "tests/support/RecordingCanvas.h"

#include <QTest>

// The driver's list: printed slips only, once each, with their totals, on few enough pages.
using namespace shippingsamples;

namespace {

std::vector<journal::JournalEntry> day(int slips)
{
    std::vector<journal::JournalEntry> entries;
    for (int i = 0; i < slips; ++i) {
        entries.push_back(Printed("R-" + std::to_string(i), At(7, 9)));
        entries.back().id = i + 1;
        entries.back().slip.pieceCount = i % 2 == 0 ? "1" : "3";
    }
    return entries;
}

QStringList textsOf(const RecordingCanvas& canvas)
{
    QStringList texts;
    for (const RecordingCanvas::TextItem& item : canvas.items()) {
        texts << QString::fromStdString(item.text);
    }
    return texts;
}

} // namespace

class TestManifest : public QObject
{
    Q_OBJECT

private slots:
    void readsThePlace_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("place");
        QTest::newRow("city") << "岐阜県大垣市林町1-2"
                              << "岐阜県大垣市";
        QTest::newRow("ward of the capital") << "東京都千代田区丸の内1"
                                             << "東京都千代田区";
        QTest::newRow("three-letter prefecture") << "神奈川県横浜市西区"
                                                 << "神奈川県横浜市";
        QTest::newRow("Hokkaido district and town") << "北海道上川郡美瑛町本町"
                                                    << "北海道上川郡美瑛町";
        QTest::newRow("Kyoto is a prefecture") << "京都府京都市中京区"
                                               << "京都府京都市";
        QTest::newRow("no prefecture") << "大垣市林町"
                                       << "大垣市";
        QTest::newRow("nothing to read") << "ABCDEFGHIJ"
                                         << "ABCDEF";
    }
    void readsThePlace()
    {
        QFETCH(QString, address);
        QFETCH(QString, place);
        QCOMPARE(QString::fromStdString(shipping::PlaceOf(address.toStdString())), place);
    }

    void listsPrintedSlipsOfOneSender()
    {
        std::vector<journal::JournalEntry> entries = day(4);
        entries[1].status = journal::JobStatus::Failed;
        entries[2].status = journal::JobStatus::Aborted;
        entries[3].slip.sender.name = "別の店";
        const shipping::Manifest all = shipping::BuildManifest(entries, QDate(2026, 12, 7), std::nullopt);
        QCOMPARE(all.lines.size(), std::size_t(2));
        QVERIFY(!all.sender); // two senders: the heading says so
        const shipping::Manifest one = shipping::BuildManifest(entries, QDate(2026, 12, 7), entries[0].slip.sender);
        QCOMPARE(one.lines.size(), std::size_t(1));
        QCOMPARE(one.lines.front().id, std::int64_t(1));
    }

    void fitsAHundredSlipsOnThreePages_data()
    {
        QTest::addColumn<int>("slips");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("a page full leaves the total for the next") << shipping::kManifestLinesPerPage << 2;
        QTest::newRow("a hundred") << 100 << 3;
    }
    void fitsAHundredSlipsOnThreePages()
    {
        QFETCH(int, slips);
        QFETCH(int, pages);
        const shipping::Manifest manifest = shipping::BuildManifest(day(slips), QDate(2026, 12, 7), std::nullopt);
        QCOMPARE(shipping::ManifestPageCount(manifest), pages);
        QStringList numbers;
        QStringList last;
        for (int page = 0; page < pages; ++page) {
            RecordingCanvas canvas;
            shipping::DrawManifestPage(manifest, page, canvas);
            for (const RecordingCanvas::TextItem& item : canvas.items()) {
                QVERIFY2(item.y + 40 < shipping::kA4HeightDots - 90, item.text.c_str());
                if (item.text.starts_with("R-")) {
                    numbers << QString::fromStdString(item.text);
                }
            }
            last = textsOf(canvas);
        }
        QCOMPARE(numbers.size(), slips); // each slip once
        const int pieces = slips / 2 * 4 + slips % 2;
        QVERIFY(last.contains(QStringLiteral("合計　送り状 %1枚　個数 %2個").arg(slips).arg(pieces)));
        QVERIFY(last.contains(QStringLiteral("%1 / %1").arg(pages)));
    }

    void writesAPdf()
    {
        const std::string pdf =
            shipping::ManifestPdf(shipping::BuildManifest(day(100), QDate(2026, 12, 7), std::nullopt));
        QVERIFY(pdf.starts_with("%PDF-"));
        QCOMPARE(QByteArray::fromStdString(pdf).count("/Type /Page\n"), 3);
    }
};

QTEST_MAIN(TestManifest)
#include "tst_manifest.moc"
