#include "platform/FontSubstitutes.h"
#include "preview/SlipFitCheck.h"
#include "slipprint/SlipFit.h"

#include "tests/support/SampleSlip.h"

#include <QTest>

Q_DECLARE_METATYPE(FitProblem)
Q_DECLARE_METATYPE(SlipPrintState)

// The fit check measures the slip as the printer's font draws it, against the page in force
// and the form's boxes.
namespace {

// An 8-inch-wide continuous form, four inches long, with the driver's unprintable borders.
PageGeometry form(double border, Resolution dpi = {180, 180})
{
    PageGeometry page;
    page.paperWidthPt = 576;
    page.paperHeightPt = 288;
    page.printableLeftPt = border;
    page.printableTopPt = border;
    page.printableWidthPt = 576 - 2 * border;
    page.printableHeightPt = 288 - 2 * border;
    page.dpi = dpi;
    return page;
}

// "field>into" per problem, "field>" for one outside the printable area.
QStringList named(const std::vector<FitProblem>& problems)
{
    QStringList names;
    for (const FitProblem& problem : problems) {
        names << QString::fromStdString(problem.field + ">" + problem.into);
    }
    return names;
}

} // namespace

class TestSlipFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void flagsWhatDoesNotFit_data()
    {
        QTest::addColumn<PageGeometry>("page");
        QTest::addColumn<SlipPrintState>("state");
        QTest::addColumn<QString>("address2");
        QTest::addColumn<QStringList>("expected");

        const QString sample = QString::fromStdString(SampleSlip().recipient.address2);
        QTest::newRow("18 pt driver margins and TOP 0 cut both name rows")
            << form(18) << SlipPrintState{180, 180, 0, 0} << sample << QStringList{"おなまえ>", "ご依頼主 おなまえ>"};
        QTest::newRow("a 360x180 driver cuts the same rows")
            << form(18, {360, 180}) << SlipPrintState{360, 180, 0, 0} << sample
            << QStringList{"おなまえ>", "ご依頼主 おなまえ>"};
        QTest::newRow("printable to the edges, registered margins: nothing")
            << form(0) << SlipPrintState{180, 180, 10, 20} << sample << QStringList{};
        QTest::newRow("a margin above the page puts the time mark out")
            << form(0) << SlipPrintState{180, 180, -20, 0} << sample
            << QStringList{"お届け月>", "お届け日>", "9時まで>"};
        QTest::newRow("a long second address line runs into the sender's box")
            << form(0) << SlipPrintState{180, 180, 0, 0}
            << QStringLiteral("第一ビル三階南側奥の事務所気付山田商事株式会社") << QStringList{"おところ②>ご依頼主"};
        QTest::newRow("a long line printed past the right edge as well")
            << form(0) << SlipPrintState{180, 180, 0, 0}
            << QString(QStringLiteral("第一ビル三階南側奥の事務所気付山田商事株式会社")).repeated(3)
            << QStringList{"おところ②>", "おところ②>ご依頼主"};
    }

    void flagsWhatDoesNotFit()
    {
        QFETCH(PageGeometry, page);
        QFETCH(SlipPrintState, state);
        QFETCH(QString, address2);
        QFETCH(QStringList, expected);

        Slip slip = SampleSlip();
        slip.recipient.address2 = address2.toStdString();
        const std::vector<FitProblem> problems = preview::CheckSlipFit(slip, state, page);
        QCOMPARE(named(problems), expected);
        for (const FitProblem& problem : problems) {
            QVERIFY2(problem.millimetres >= 0.1, FitWarning(problem).c_str());
        }
    }

    void sayWhatAndHowFar_data()
    {
        QTest::addColumn<FitProblem>("problem");
        QTest::addColumn<QString>("warning");

        QTest::newRow("outside the printable area")
            << FitProblem{"おなまえ", "", 2.14} << QStringLiteral("おなまえ が印字範囲から 2.1 mm はみ出します");
        QTest::newRow("into another part of the form")
            << FitProblem{"おところ②", "ご依頼主", 3.0}
            << QStringLiteral("おところ② が ご依頼主 の欄に 3.0 mm かかります");
    }

    void sayWhatAndHowFar()
    {
        QFETCH(FitProblem, problem);
        QFETCH(QString, warning);
        QCOMPARE(QString::fromStdString(FitWarning(problem)), warning);
    }

    void areaShortfall_data()
    {
        QTest::addColumn<PageGeometry>("page");
        QTest::addColumn<QString>("said");

        QTest::newRow("18 pt all round") << form(18)
                                         << QStringLiteral("プリンタの印字範囲は用紙より狭く、上 6.3 mm・下 6.3 mm・左 "
                                                           "6.3 mm・右 6.3 mm が印字されません");
        QTest::newRow("the whole paper") << form(0) << QString();
    }

    void areaShortfall()
    {
        QFETCH(PageGeometry, page);
        QFETCH(QString, said);
        QCOMPARE(QString::fromStdString(AreaShortfall(page)), said);
    }
};

QTEST_MAIN(TestSlipFit)
#include "tst_slipfit.moc"
