#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

class TestFontSubstitutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void resolves_data();
    void resolves();
};

void TestFontSubstitutes::initTestCase()
{
    InstallFontSubstitutes();
}

void TestFontSubstitutes::resolves_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("glyphs");

    QTest::newRow("window font, kanji and marks") << "ＭＳ Ｐゴシック"
                                                  << "IPAPGothic"
                                                  << "漢字○◇ｶﾅ";
    QTest::newRow("slip font, kanji and circle") << "ＭＳ Ｐ明朝"
                                                 << "IPAPMincho"
                                                 << "送り状○〓";
    QTest::newRow("Lucida, circle") << "Lucida Sans Unicode"
                                    << "DejaVu Sans"
                                    << "○◇";
}

void TestFontSubstitutes::resolves()
{
    QFETCH(QString, requested);
    QFETCH(QString, family);
    QFETCH(QString, glyphs);

    QFont font(requested);
    font.setPixelSize(16);
    QCOMPARE(QFontInfo(font).family(), family);
    const QFontMetrics metrics(font);
    for (const char32_t character : glyphs.toUcs4()) {
        QVERIFY2(metrics.inFontUcs4(character), qPrintable(QString::number(character, 16)));
    }
}

QTEST_MAIN(TestFontSubstitutes)
#include "tst_fontsubstitutes.moc"
