#include "slipprint/CalibrationPattern.h"
#include "slipprint/MarginCalibration.h"
#include "slipprint/MarginDots.h"
#include "slipprint/SlipDrawing.h"
#include "slipprint/SlipFormOutline.h"
#include "slipprint/SlipGeometry.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/SampleSlip.h"

#include <QTest>

#include <algorithm>

// The calibration page, the millimetre-to-dot conversion and the form outline, checked
// against the slip drawing itself.
namespace {

using namespace margincalibration;

SlipPrintState printState(int dpix, int dpiy, int top, int left)
{
    return {dpix, dpiy, top, left};
}

RecordingCanvas pattern(const SlipPrintState& state)
{
    RecordingCanvas canvas;
    DrawCalibrationPattern(state, canvas);
    return canvas;
}

// Where the sample slip puts the first character of `text`.
QPoint slipItem(const SlipPrintState& state, const std::string& text)
{
    RecordingCanvas canvas;
    DrawSlip(SampleSlip(), state, canvas);
    for (const auto& item : canvas.items()) {
        if (item.text == text) {
            return {item.x, item.y};
        }
    }
    return {-9999, -9999};
}

bool hasCrossAt(const RecordingCanvas& canvas, QPoint centre)
{
    bool horizontal = false;
    bool vertical = false;
    for (const auto& l : canvas.lines()) {
        horizontal |= l.y1 == centre.y() && l.y2 == centre.y() && l.x1 < centre.x() && l.x2 > centre.x() &&
                      l.x1 + l.x2 == 2 * centre.x();
        vertical |= l.x1 == centre.x() && l.x2 == centre.x() && l.y1 < centre.y() && l.y2 > centre.y() &&
                    l.y1 + l.y2 == 2 * centre.y();
    }
    return horizontal && vertical;
}

} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT

private slots:
    void millimetresBecomeDots_data();
    void millimetresBecomeDots();
    void unreadableMillimetres_data();
    void unreadableMillimetres();
    void marginsMoveEveryMark_data();
    void marginsMoveEveryMark();
    void crossHairsOnTheSlipsReferencePoints_data();
    void crossHairsOnTheSlipsReferencePoints();
    void scaleTicksAreMillimetres_data();
    void scaleTicksAreMillimetres();
    void everyPrintedItemHasAFormBox_data();
    void everyPrintedItemHasAFormBox();
};

void TestCalibration::millimetresBecomeDots_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("dots");
    QTest::addColumn<QString>("shown");
    QTest::newRow("right 1.5 at 180") << "1.5" << 0 << 180 << 11 << "右へ 1.5 mm = 11 ドット";
    QTest::newRow("left 1.5 at 180") << "-1.5" << 0 << 180 << -11 << "左へ 1.5 mm = -11 ドット";
    QTest::newRow("down 2 at 60") << "2" << 1 << 60 << 5 << "下へ 2.0 mm = 5 ドット";
    QTest::newRow("up 0.8 at 360, plus sign, comma") << "-0,8" << 1 << 360 << -11 << "上へ 0.8 mm = -11 ドット";
    QTest::newRow("one inch is the resolution") << "+25.4" << 0 << 120 << 120 << "右へ 25.4 mm = 120 ドット";
    QTest::newRow("no shift") << "0" << 1 << 180 << 0 << "下へ 0.0 mm = 0 ドット";
    QTest::newRow("a tenth rounds to nothing at 60") << "0.2" << 1 << 60 << 0 << "下へ 0.2 mm = 0 ドット";
    QTest::newRow("a point alone") << ".5" << 0 << 254 << 5 << "右へ 0.5 mm = 5 ドット";
}

void TestCalibration::millimetresBecomeDots()
{
    QFETCH(QString, text);
    QFETCH(int, vertical);
    QFETCH(int, dpi);
    QFETCH(int, dots);
    QFETCH(QString, shown);
    const std::optional<int> tenths = ParseTenths(text.toStdString());
    QVERIFY(tenths.has_value());
    QCOMPARE(DotsForTenths(*tenths, dpi), dots);
    QCOMPARE(QString::fromStdString(ShiftText(vertical ? Axis::Vertical : Axis::Horizontal, *tenths, dpi)), shown);
}

void TestCalibration::unreadableMillimetres_data()
{
    QTest::addColumn<QString>("text");
    for (const char* text : {"", "-", ".", "1.55", "1.2.3", "abc", "1 5", "1e3", "--1", "123456789012"}) {
        QTest::newRow(text) << QString::fromLatin1(text);
    }
}

void TestCalibration::unreadableMillimetres()
{
    QFETCH(QString, text);
    QVERIFY(!ParseTenths(text.toStdString()).has_value());
}

void TestCalibration::marginsMoveEveryMark_data()
{
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("right");
    QTest::newRow("180 dpi") << 180 << 180 << 25 << -40;
    QTest::newRow("120 x 60 dpi") << 120 << 60 << -7 << 13;
    QTest::newRow("360 x 180 dpi") << 360 << 180 << 1 << 1;
}

void TestCalibration::marginsMoveEveryMark()
{
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    QFETCH(int, down);
    QFETCH(int, right);
    const RecordingCanvas before = pattern(printState(dpix, dpiy, 10, 20));
    const RecordingCanvas after = pattern(printState(dpix, dpiy, 10 + down, 20 + right));
    QCOMPARE(after.lines().size(), before.lines().size());
    QCOMPARE(after.items().size(), before.items().size());
    QVERIFY(before.lines().size() > 100);
    for (std::size_t i = 0; i < before.lines().size(); ++i) {
        const auto& a = before.lines()[i];
        const auto& b = after.lines()[i];
        QCOMPARE(QList<int>({b.x1, b.y1, b.x2, b.y2}),
                 QList<int>({a.x1 + right, a.y1 + down, a.x2 + right, a.y2 + down}));
    }
    for (std::size_t i = 0; i < before.items().size(); ++i) {
        QCOMPARE(after.items()[i].x, before.items()[i].x + right);
        QCOMPARE(after.items()[i].y, before.items()[i].y + down);
    }
    // The margins in force are written on the page.
    const auto written = [](const RecordingCanvas& canvas, const std::string& text) {
        return std::any_of(canvas.items().begin(), canvas.items().end(),
                           [&](const auto& item) { return item.text.find(text) != std::string::npos; });
    };
    QVERIFY(written(after, "TOP " + std::to_string(10 + down) + " ドット"));
    QVERIFY(written(after, "LEFT " + std::to_string(20 + right) + " ドット"));
}

void TestCalibration::crossHairsOnTheSlipsReferencePoints_data()
{
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::newRow("180, no margins") << 180 << 180 << "0"
                                     << "0";
    QTest::newRow("360 x 180, margins") << 360 << 180 << "-12"
                                        << "33";
    QTest::newRow("120 x 60, empty margins") << 120 << 60 << ""
                                             << "";
}

void TestCalibration::crossHairsOnTheSlipsReferencePoints()
{
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    QFETCH(QString, top);
    QFETCH(QString, left);
    const SlipPrintState state =
        printState(dpix, dpiy, margins::MarginDots(top.toStdString()), margins::MarginDots(left.toStdString()));
    const RecordingCanvas canvas = pattern(state);
    QVERIFY(hasCrossAt(canvas, slipItem(state, "12")));   // delivery month, the top-left item
    QVERIFY(hasCrossAt(canvas, slipItem(state, "2026"))); // the slip date row
    QVERIFY(hasCrossAt(canvas, slipItem(state, "衣類"))); // the first goods line
}

void TestCalibration::scaleTicksAreMillimetres_data()
{
    QTest::addColumn<int>("dpix");
    QTest::addColumn<int>("dpiy");
    QTest::newRow("180") << 180 << 180;
    QTest::newRow("120 x 60") << 120 << 60;
}

void TestCalibration::scaleTicksAreMillimetres()
{
    QFETCH(int, dpix);
    QFETCH(int, dpiy);
    const RecordingCanvas canvas = pattern(printState(dpix, dpiy, 0, 0));
    // The labels stand beside the 10 mm ticks: "50" on the left scale is 50 mm below "10".
    std::vector<RecordingCanvas::TextItem> ten;
    std::vector<RecordingCanvas::TextItem> fifty;
    for (const auto& item : canvas.items()) {
        if (item.text == "10") {
            ten.push_back(item);
        } else if (item.text == "50") {
            fifty.push_back(item);
        }
    }
    QCOMPARE(ten.size(), std::size_t{2});
    QCOMPARE(fifty.size(), std::size_t{2});
    const auto dots = [](int mm, int dpi) { return static_cast<int>(std::floor(mm * dpi / 25.4 + 0.5)); };
    // Left scale: same x, y apart by 40 mm; bottom scale: same y, x apart by 40 mm.
    const auto& [leftTen, bottomTen] = std::minmax(ten[0], ten[1], [](auto& a, auto& b) { return a.x < b.x; });
    const auto& [leftFifty, bottomFifty] = std::minmax(fifty[0], fifty[1], [](auto& a, auto& b) { return a.x < b.x; });
    QCOMPARE(leftFifty.x, leftTen.x);
    QVERIFY(std::abs(leftFifty.y - leftTen.y - dots(40, dpiy)) <= 1);
    QCOMPARE(bottomFifty.y, bottomTen.y);
    QVERIFY(std::abs(bottomFifty.x - bottomTen.x - dots(40, dpix)) <= 1);
}

void TestCalibration::everyPrintedItemHasAFormBox_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("160") << 160;
    QTest::newRow("180") << 180;
}

void TestCalibration::everyPrintedItemHasAFormBox()
{
    QFETCH(int, dpi);
    const SlipPrintState state = printState(dpi, dpi, 0, 0);
    RecordingCanvas canvas;
    DrawSlip(SampleSlip(), state, canvas);
    const slipgeometry::DeviceMapping mapping = slipgeometry::MakeDeviceMapping({state.dpiX, state.dpiY, 0, 0});
    for (const auto& item : canvas.items()) {
        const int boxes = static_cast<int>(
            std::count_if(slipform::Boxes().begin(), slipform::Boxes().end(), [&](const slipform::Box& box) {
                return mapping.deviceX(box.x) < item.x && item.x < mapping.deviceX(box.x + box.width) &&
                       mapping.deviceY(box.y) < item.y && item.y < mapping.deviceY(box.y + box.height);
            }));
        QVERIFY2(boxes == 1, item.text.c_str());
    }
}

QTEST_APPLESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
