#include "slipprint/MarginResolution.h"

#include <QTest>

using marginresolution::Dpi;

Q_DECLARE_METATYPE(std::optional<Dpi>)

class TestMarginResolution : public QObject
{
    Q_OBJECT

private slots:
    void parseDpi_data();
    void parseDpi();
    void marginKeepsItsDistance_data();
    void marginKeepsItsDistance();
    void millimetres_data();
    void millimetres();
};

void TestMarginResolution::parseDpi_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Dpi>>("dpi");
    QTest::newRow("horizontal by vertical") << "120x60" << std::optional<Dpi>(Dpi{120, 60});
    QTest::newRow("one number is both") << "180" << std::optional<Dpi>(Dpi{180, 180});
    QTest::newRow("driver keyword") << "360x180dpi" << std::optional<Dpi>(Dpi{360, 180});
    QTest::newRow("blanks around") << " \t60x60 " << std::optional<Dpi>(Dpi{60, 60});
    QTest::newRow("zero would divide") << "0x180" << std::optional<Dpi>();
    QTest::newRow("half a resolution") << "180x" << std::optional<Dpi>();
    QTest::newRow("past any printer") << "100000" << std::optional<Dpi>();
    QTest::newRow("past int") << "99999999999x1" << std::optional<Dpi>();
    QTest::newRow("words") << "fine" << std::optional<Dpi>();
}

void TestMarginResolution::parseDpi()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Dpi>, dpi);
    const std::optional<Dpi> parsed = marginresolution::ParseDpi(text.toStdString());
    QCOMPARE(parsed.has_value(), dpi.has_value());
    if (dpi) {
        QCOMPARE(parsed->x, dpi->x);
        QCOMPARE(parsed->y, dpi->y);
        QCOMPARE(marginresolution::ParseDpi(marginresolution::DpiText(*parsed)), parsed);
    }
}

void TestMarginResolution::marginKeepsItsDistance_data()
{
    QTest::addColumn<int>("dots");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("converted");
    QTest::newRow("same resolution") << 7 << 180 << 180 << 7;
    QTest::newRow("top 5 at 180 down to 60") << 5 << 180 << 60 << 2; // 1.67 rounds up
    QTest::newRow("left 7 at 180 to 120") << 7 << 180 << 120 << 5;   // 4.67
    QTest::newRow("exact third") << 9 << 180 << 60 << 3;
    QTest::newRow("half rounds away from zero") << 3 << 120 << 60 << 2; // 1.5
    QTest::newRow("negative half too") << -3 << 120 << 60 << -2;
    QTest::newRow("up to a finer resolution") << 2 << 60 << 180 << 6;
    QTest::newRow("unknown source: dots as they are") << 7 << 0 << 180 << 7;
    QTest::newRow("unknown target: dots as they are") << 7 << 180 << 0 << 7;
}

void TestMarginResolution::marginKeepsItsDistance()
{
    QFETCH(int, dots);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, converted);
    QCOMPARE(marginresolution::ConvertDots(dots, from, to), converted);
}

void TestMarginResolution::millimetres_data()
{
    QTest::addColumn<int>("dots");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("text");
    QTest::newRow("5 dots at 180") << 5 << 180 << "= 0.7 mm";
    QTest::newRow("coarse vertical") << 2 << 60 << "= 0.8 mm";
    QTest::newRow("below a tenth, negative") << -1 << 360 << "= -0.1 mm";
    QTest::newRow("unknown resolution") << 5 << 0 << "";
}

void TestMarginResolution::millimetres()
{
    QFETCH(int, dots);
    QFETCH(int, dpi);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(marginresolution::MillimetreText(dots, dpi)), text);
}

QTEST_APPLESS_MAIN(TestMarginResolution)
#include "tst_marginresolution.moc"
