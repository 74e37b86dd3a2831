#include "platform/StrToInt.h"
#include "slipprint/SlipDrawing.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/SampleSlip.h"

#include <QTest>

#include <algorithm>

namespace {

const std::string kLucida = "Lucida Sans Unicode";
const std::string kMincho = "ＭＳ Ｐ明朝";

using Item = RecordingCanvas::TextItem;

Item item(int x, int y, const std::string& text, const std::string& font, int size)
{
    return Item{x, y, text, font, size, 0x000000, 0xFFFFFF};
}

std::vector<Item> draw(const Slip& slip, int dpi = 160)
{
    RecordingCanvas canvas;
    DrawSlip(slip, {dpi, dpi, 0, 0}, canvas);
    return canvas.items();
}

bool hasText(const std::vector<Item>& items, const std::string& text)
{
    return std::any_of(items.begin(), items.end(), [&](const Item& i) { return i.text == text; });
}

} // namespace

class TestSlipDrawing : public QObject
{
    Q_OBJECT

private slots:
    void everyItemAt160Dpi();
    void itemsAt180Dpi();
    void timeMarkPosition_data();
    void timeMarkPosition();
    void pieceCountBoxes_data();
    void pieceCountBoxes();
    void uncheckedBlocksAreNotDrawn();
    void dateIsYearMonthDayWhateverTheLocale();
    void noResolutionDrawsNothing_data();
    void noResolutionDrawsNothing();
};

void TestSlipDrawing::everyItemAt160Dpi()
{
    // At 160 dpi a slip unit is a dot: every item lands at (x - 90, y), black on white.
    const std::vector<Item> expected = {
        item(90, 10, "12", kLucida, 12),
        item(160, 10, "24", kLucida, 12),
        item(360, 1, "○", kLucida, 26),
        item(220, 66, "2026", kLucida, 9),
        item(350, 66, "03", kLucida, 9),
        item(470, 66, "07", kLucida, 9),
        item(150, 160, "衣類", kMincho, 11),
        item(150, 200, "雑貨", kMincho, 11),
        item(150, 240, "書籍", kMincho, 11),
        item(200, 320, "03-1234-5678", kLucida, 16),
        item(140, 375, "123-4567", kMincho, 11),
        item(124, 430, "東京都千代田区丸の内1-2-3", kMincho, 11),
        item(124, 480, "第一ビル3階", kMincho, 11),
        item(124, 535, "山田太郎", kMincho, 11),
        item(630, 320, "06-9876-5432", kLucida, 14),
        item(600, 375, "530-0001", kMincho, 11),
        item(590, 430, "大阪府大阪市北区梅田1-1", kMincho, 11),
        item(590, 480, "梅田ビル", kMincho, 11),
        item(590, 535, "mivo商店", kMincho, 11),
        item(988, 520, " ", kLucida, 11),
        item(1004, 520, " ", kLucida, 11),
        item(1020, 520, "7", kLucida, 11),
    };
    QCOMPARE(draw(SampleSlip()), expected);
}

void TestSlipDrawing::itemsAt180Dpi()
{
    const std::vector<Item> items = draw(SampleSlip(), 180);
    QCOMPARE(QPoint(items.at(0).x, items.at(0).y), QPoint(113, 11));     // delivery month
    QCOMPARE(QPoint(items.at(10).x, items.at(10).y), QPoint(169, 422));  // recipient postal code
    QCOMPARE(QPoint(items.at(18).x, items.at(18).y), QPoint(675, 602));  // sender name
    QCOMPARE(QPoint(items.at(21).x, items.at(21).y), QPoint(1159, 585)); // units of the piece count
}

void TestSlipDrawing::timeMarkPosition_data()
{
    QTest::addColumn<bool>("nine");
    QTest::addColumn<bool>("ten");
    QTest::addColumn<bool>("morning");
    QTest::addColumn<int>("x"); // -1: no mark
    QTest::newRow("none") << false << false << false << -1;
    QTest::newRow("9時まで") << true << false << false << 360;
    QTest::newRow("10時まで") << false << true << false << 510;
    QTest::newRow("午前中") << false << false << true << 660;
    QTest::newRow("two ticked: the first in order wins") << false << true << true << 510;
    QTest::newRow("all ticked: one mark only") << true << true << true << 360;
}

void TestSlipDrawing::timeMarkPosition()
{
    QFETCH(bool, nine);
    QFETCH(bool, ten);
    QFETCH(bool, morning);
    QFETCH(int, x);
    Slip slip = SampleSlip();
    slip.time9 = nine;
    slip.time10 = ten;
    slip.timeMorning = morning;
    const std::vector<Item> items = draw(slip);
    const auto marks = std::count_if(items.begin(), items.end(), [](const Item& i) { return i.text == "○"; });
    QCOMPARE(marks, x < 0 ? 0 : 1);
    if (x >= 0) {
        const auto mark = std::find_if(items.begin(), items.end(), [](const Item& i) { return i.text == "○"; });
        QCOMPARE(QPoint(mark->x, mark->y), QPoint(x, 1));
    }
}

void TestSlipDrawing::pieceCountBoxes_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("7") << "7" << QStringList{" ", " ", "7"};
    QTest::newRow("100") << "100" << QStringList{"1", "0", "0"};
    QTest::newRow("empty") << "" << QStringList{" ", " ", " "};
}

void TestSlipDrawing::pieceCountBoxes()
{
    QFETCH(QString, count);
    QFETCH(QStringList, boxes);
    Slip slip = SampleSlip();
    slip.pieceCount = count.toStdString();
    const std::vector<Item> items = draw(slip);
    const std::vector<Item> last(items.end() - 3, items.end());
    QStringList drawn;
    for (const Item& i : last) {
        drawn << QString::fromStdString(i.text);
    }
    QCOMPARE(drawn, boxes);
}

void TestSlipDrawing::uncheckedBlocksAreNotDrawn()
{
    Slip slip = SampleSlip();
    slip.printSender = false;
    slip.printDate = false;
    const std::vector<Item> items = draw(slip);
    for (const char* gone : {"06-9876-5432", "530-0001", "mivo商店", "7", "2026", "03", "07"}) {
        QVERIFY2(!hasText(items, gone), gone);
    }
    for (const char* kept : {"12", "24", "衣類", "山田太郎", "123-4567", "03-1234-5678"}) {
        QVERIFY2(hasText(items, kept), kept);
    }
}

void TestSlipDrawing::dateIsYearMonthDayWhateverTheLocale()
{
    QCOMPARE(SlipDateText(2010, 12, 6), std::string("2010/12/06"));
    QCOMPARE(SlipDateText(987, 1, 2), std::string("0987/01/02"));
}

void TestSlipDrawing::noResolutionDrawsNothing_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::newRow("no horizontal resolution") << 0 << 180;
    QTest::newRow("no vertical resolution") << 180 << 0;
    QTest::newRow("negative resolution") << -180 << -180;
}

void TestSlipDrawing::noResolutionDrawsNothing()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    RecordingCanvas canvas;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DrawSlip(SampleSlip(), {dpiX, dpiY, 0, 0}, canvas));
    QVERIFY(canvas.items().empty());
}

QTEST_GUILESS_MAIN(TestSlipDrawing)
#include "tst_slipdrawing.moc"
