#include "shipping/TrackingNumber.h"

#include <QTest>

// Numbers as scanners and people type them, the check-digit rule and the numbers of
// consecutive forms.
using shipping::CheckDigitRule;

class TestTrackingNumber : public QObject
{
    Q_OBJECT

private slots:
    void normalizes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("digits"); // empty: refused
        QTest::newRow("plain digits") << "1234567890"
                                      << "1234567890";
        QTest::newRow("full-width digits") << "１２３４５６７８９０"
                                           << "1234567890";
        QTest::newRow("hyphens of every kind") << "1234-5678－90ー1‐2"
                                               << "123456789012";
        QTest::newRow("blanks and the ideographic space") << " 1234 5678\u300090 "
                                                          << "1234567890";
        QTest::newRow("Codabar guards at both ends") << "A1234567890B"
                                                     << "1234567890";
        QTest::newRow("lower-case and full-width guards") << "ｃ1234567890d"
                                                          << "1234567890";
        QTest::newRow("scanner line end") << "D1234567890A\r\n"
                                          << "1234567890";
        QTest::newRow("a guard inside is no guard") << "12345A67890"
                                                    << "";
        QTest::newRow("two guards at one end") << "AB1234567890"
                                               << "";
        QTest::newRow("only guards") << "AB"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("letters") << "ABC-DEF"
                                 << "";
        QTest::newRow("kanji") << "１２３番"
                               << "";
    }
    void normalizes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, digits);
        const auto result = shipping::NormalizeTrackingNumber(typed.toStdString());
        QCOMPARE(QString::fromStdString(result.value_or("")), digits);
        QCOMPARE(result.has_value(), !digits.isEmpty());
    }

    void refusesBrokenUtf8()
    {
        QVERIFY(!shipping::NormalizeTrackingNumber("12\xff"
                                                   "34"));
        QVERIFY(!shipping::NormalizeTrackingNumber("12\xef\xbc"));
    }

    void checksTheDigit_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("good");
        // 123456789 = 7 * 17636684 + 1
        QTest::newRow("rest 1") << "1234567891" << true;
        QTest::newRow("off by one") << "1234567892" << false;
        QTest::newRow("rest 0") << "0000000070" << true;
        QTest::newRow("twelve digits, body past 32 bits") << "999999999994" << true; // 99999999999 % 7 = 4
        QTest::newRow("a single digit cannot carry a check") << "5" << false;
    }
    void checksTheDigit()
    {
        QFETCH(QString, digits);
        QFETCH(bool, good);
        QCOMPARE(!shipping::CheckDigitProblem(digits.toStdString(), CheckDigitRule::Mod7).has_value(), good);
        QVERIFY(!shipping::CheckDigitProblem(digits.toStdString(), CheckDigitRule::None));
    }

    void countsConsecutiveForms_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("no check digit carries and keeps leading zeros")
            << int(CheckDigitRule::None) << "0000000098" << QStringList{"0000000098", "0000000099", "0000000100"};
        QTest::newRow("mod 7 counts the body and recomputes the digit")
            << int(CheckDigitRule::Mod7) << "1234567891" << QStringList{"1234567891", "1234567902", "1234567913"};
        QTest::newRow("the body carries over a nine")
            << int(CheckDigitRule::Mod7) << "0000000092" << QStringList{"0000000092", "0000000103", "0000000114"};
        QTest::newRow("no room left stops the run") << int(CheckDigitRule::None) << "98" << QStringList{"98", "99"};
    }
    void countsConsecutiveForms()
    {
        QFETCH(int, rule);
        QFETCH(QString, first);
        QFETCH(QStringList, numbers);
        QStringList made;
        for (const std::string& number :
             shipping::ConsecutiveNumbers(first.toStdString(), 3, static_cast<CheckDigitRule>(rule))) {
            made << QString::fromStdString(number);
        }
        QCOMPARE(made, numbers);
    }
};

QTEST_GUILESS_MAIN(TestTrackingNumber)
#include "tst_trackingnumber.moc"
