#include "platform/RecordingCanvas.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipDrawing.h"
#include "slipprint/SlipFields.h"

#include <QPoint>
#include <QTest>

#include <functional>

// Every part of the slip model reaches its own place on the form.
class TestSlipModel : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldLandsInItsPlace_data();
    void everyFieldLandsInItsPlace();
};

using Setter = std::function<void(Slip&, const std::string&)>;
Q_DECLARE_METATYPE(Setter)

void TestSlipModel::everyFieldLandsInItsPlace_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<QPoint>("slipPosition");
    const auto row = [](const char* name, Setter set, QPoint at) { QTest::newRow(name) << set << at; };
    row("recipient zip", [](Slip& s, const std::string& v) { s.recipient.zip = v; }, {230, 375});
    row("recipient address 1", [](Slip& s, const std::string& v) { s.recipient.address1 = v; }, {214, 430});
    row("recipient address 2", [](Slip& s, const std::string& v) { s.recipient.address2 = v; }, {214, 480});
    row("recipient name", [](Slip& s, const std::string& v) { s.recipient.name = v; }, {214, 535});
    row("recipient tel", [](Slip& s, const std::string& v) { s.recipient.tel = v; }, {290, 320});
    row("sender zip", [](Slip& s, const std::string& v) { s.sender.zip = v; }, {690, 375});
    row("sender address 1", [](Slip& s, const std::string& v) { s.sender.address1 = v; }, {680, 430});
    row("sender address 2", [](Slip& s, const std::string& v) { s.sender.address2 = v; }, {680, 480});
    row("sender name", [](Slip& s, const std::string& v) { s.sender.name = v; }, {680, 535});
    row("sender tel", [](Slip& s, const std::string& v) { s.sender.tel = v; }, {720, 320});
    row("goods 1", [](Slip& s, const std::string& v) { s.goods[0] = v; }, {240, 160});
    row("goods 2", [](Slip& s, const std::string& v) { s.goods[1] = v; }, {240, 200});
    row("goods 3", [](Slip& s, const std::string& v) { s.goods[2] = v; }, {240, 240});
    row("delivery month", [](Slip& s, const std::string& v) { s.deliveryMonth = v; }, {180, 10});
    row("delivery day", [](Slip& s, const std::string& v) { s.deliveryDay = v; }, {250, 10});
}

void TestSlipModel::everyFieldLandsInItsPlace()
{
    QFETCH(Setter, set);
    QFETCH(QPoint, slipPosition);
    Slip slip;
    slip.pieceCount = "7";
    set(slip, "MARK");
    SlipFields fields = PrintFields(slip);
    fields.dpix = "160";
    fields.dpiy = "160";
    RecordingCanvas canvas;
    DrawSlip(fields, canvas);
    QList<QPoint> marks;
    for (const auto& item : canvas.items()) {
        if (item.text == "MARK") {
            marks << QPoint(item.x, item.y);
        }
    }
    // At 160 dpi one slip unit is one dot; the drawing stands 90 dots left of the margin.
    QCOMPARE(marks, QList<QPoint>{slipPosition - QPoint(90, 0)});
}

QTEST_APPLESS_MAIN(TestSlipModel)
#include "tst_slipmodel.moc"
