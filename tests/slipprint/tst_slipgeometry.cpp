#include "platform/StrToInt.h"
#include "slipprint/MarginDots.h"
#include "slipprint/SlipGeometry.h"

#include <QTest>

using namespace slipgeometry;

class TestSlipGeometry : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfAway_data();
    void roundHalfAway();
    void scaleFromDpi_data();
    void scaleFromDpi();
    void rightAlign3_data();
    void rightAlign3();
    void mappingFromTexts_data();
    void mappingFromTexts();
    void badTextIsConversionError_data();
    void badTextIsConversionError();
    void marginsWithDecimals_data();
    void marginsWithDecimals();
};

void TestSlipGeometry::roundHalfAway_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("202.5 goes up") << qint64(2025) << qint64(10) << qint64(203);
    QTest::newRow("11.25 goes down") << qint64(1125) << qint64(100) << qint64(11);
    QTest::newRow("-2.5 goes away from zero") << qint64(-25) << qint64(10) << qint64(-3);
    QTest::newRow("-2.4 goes towards zero") << qint64(-24) << qint64(10) << qint64(-2);
    QTest::newRow("whole stays") << qint64(30000) << qint64(10000) << qint64(3);
    QTest::newRow("zero") << qint64(0) << qint64(10000) << qint64(0);
}

void TestSlipGeometry::roundHalfAway()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(RoundHalfAway(numerator, denominator), expected);
}

void TestSlipGeometry::scaleFromDpi_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<qint64>("scale");
    QTest::newRow("160 dpi is one dot a unit") << 160 << qint64(10000);
    QTest::newRow("180 dpi") << 180 << qint64(11250);
    QTest::newRow("360 dpi") << 360 << qint64(22500);
    QTest::newRow("60 dpi") << 60 << qint64(3750);
    QTest::newRow("181 dpi: half goes to even 11312") << 181 << qint64(11312);
    QTest::newRow("183 dpi: half goes to even 11438") << 183 << qint64(11438);
}

void TestSlipGeometry::scaleFromDpi()
{
    QFETCH(int, dpi);
    QFETCH(qint64, scale);
    QCOMPARE(ScaleFromDpi(dpi), scale);
}

void TestSlipGeometry::rightAlign3_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("aligned");
    QTest::newRow("one digit") << "5"
                               << "  5";
    QTest::newRow("two digits") << "12"
                                << " 12";
    QTest::newRow("three digits") << "100"
                                  << "100";
    QTest::newRow("four digits keep the last three") << "1234"
                                                     << "234";
    QTest::newRow("empty is three blanks") << ""
                                           << "   ";
    QTest::newRow("blanks and controls trimmed") << " \t7\r\n"
                                                 << "  7";
    QTest::newRow("sign counts as a character") << "-5"
                                                << " -5";
}

void TestSlipGeometry::rightAlign3()
{
    QFETCH(QString, text);
    QFETCH(QString, aligned);
    QCOMPARE(QString::fromStdString(RightAlign3(text.toStdString())), aligned);
}

void TestSlipGeometry::mappingFromTexts_data()
{
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("slipX");
    QTest::addColumn<int>("slipY");
    QTest::addColumn<QPoint>("device");
    QTest::newRow("180 dpi, 202.5 rounds up, then the 90-dot shift") << "180"
                                                                     << "0"
                                                                     << "0" << 180 << 10 << QPoint(113, 11);
    QTest::newRow("160 dpi maps one to one less the shift") << "160"
                                                            << "0"
                                                            << "0" << 1110 << 520 << QPoint(1020, 520);
    QTest::newRow("empty margins count as zero") << "160"
                                                 << ""
                                                 << "" << 180 << 10 << QPoint(90, 10);
    QTest::newRow("top 20, left -10") << "160"
                                      << "20"
                                      << "-10" << 240 << 160 << QPoint(140, 180);
    QTest::newRow("360 dpi, 22.5 rounds away from zero") << "360"
                                                         << "0"
                                                         << "0" << 180 << 10 << QPoint(315, 23);
    QTest::newRow("negative margins below the origin") << "180"
                                                       << "-40"
                                                       << "-40" << 180 << 1 << QPoint(73, -39);
}

void TestSlipGeometry::mappingFromTexts()
{
    QFETCH(QString, dpi);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(int, slipX);
    QFETCH(int, slipY);
    QFETCH(QPoint, device);
    const int dots = StrToInt(dpi.toStdString());
    const DeviceMapping mapping = MakeDeviceMapping(
        {dots, dots, margins::MarginDots(top.toStdString()), margins::MarginDots(left.toStdString())});
    QCOMPARE(QPoint(mapping.deviceX(slipX), mapping.deviceY(slipY)), device);
}

void TestSlipGeometry::badTextIsConversionError_data()
{
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("message");
    QTest::newRow("margin with two points") << "180"
                                            << "1.5.0"
                                            << "'1.5.0' is not a valid integer value";
    QTest::newRow("margin with trailing text") << "180"
                                               << "12px"
                                               << "'12px' is not a valid integer value";
    QTest::newRow("out of the 32-bit range") << "180"
                                             << "99999999999"
                                             << "'99999999999' is not a valid integer value";
}

void TestSlipGeometry::badTextIsConversionError()
{
    QFETCH(QString, dpi);
    QFETCH(QString, margin);
    QFETCH(QString, message);
    try {
        margins::MarginDots(margin.toStdString());
        QFAIL("no conversion error");
    } catch (const EConvertError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, MakeDeviceMapping({0, 180, 0, 0}));
}

void TestSlipGeometry::marginsWithDecimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dots");
    QTest::addColumn<QString>("inForce");
    QTest::newRow("a half goes up") << "1.5" << 2 << "2";
    QTest::newRow("a negative half goes down") << "-2.5" << -3 << "-3";
    QTest::newRow("just under a half") << "2.4999" << 2 << "2";
    QTest::newRow("a small negative fraction is zero") << "-0.4" << 0 << "0";
    QTest::newRow("no whole digits") << ".5" << 1 << "1";
    QTest::newRow("no fraction digits") << "+7." << 7 << "7";
    QTest::newRow("whole number untouched") << "-40" << -40 << "-40";
    QTest::newRow("empty is no margin") << "" << 0 << "";
}

void TestSlipGeometry::marginsWithDecimals()
{
    QFETCH(QString, text);
    QFETCH(int, dots);
    QFETCH(QString, inForce);
    QCOMPARE(margins::MarginDots(text.toStdString()), dots);
    QCOMPARE(QString::fromStdString(margins::WholeMarginText(text.toStdString())), inForce);
    const DeviceMapping mapping = MakeDeviceMapping({160, 160, dots, dots});
    QCOMPARE(QPoint(mapping.deviceX(100), mapping.deviceY(100)), QPoint(100 - 90 + dots, 100 + dots));
}

QTEST_GUILESS_MAIN(TestSlipGeometry)
#include "tst_slipgeometry.moc"
