#include "postal/PostalCode.h"

#include <QTest>

class TestPostalCode : public QObject
{
    Q_OBJECT

private slots:
    void normalise_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected"); // empty: not a postal code

        QTest::newRow("digits") << "1000001"
                                << "1000001";
        QTest::newRow("hyphen") << "100-0001"
                                << "1000001";
        QTest::newRow("mark") << "〒100-0001"
                              << "1000001";
        QTest::newRow("mark and blank") << "〒 1000001"
                                        << "1000001";
        QTest::newRow("full width") << "１００－０００１"
                                    << "1000001";
        QTest::newRow("long vowel mark") << "１００ー０００１"
                                         << "1000001";
        QTest::newRow("blanks around") << " \t　100-0001　 "
                                       << "1000001";
        QTest::newRow("leading zero") << "0600000"
                                      << "0600000";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks only") << "　 "
                                     << "";
        QTest::newRow("six digits") << "100000"
                                    << "";
        QTest::newRow("eight digits") << "10000011"
                                      << "";
        QTest::newRow("hyphen misplaced") << "1000-001"
                                          << "";
        QTest::newRow("two hyphens") << "100--0001"
                                     << "";
        QTest::newRow("hyphen at end") << "1000001-"
                                       << "";
        QTest::newRow("blank inside") << "100 0001"
                                      << "";
        QTest::newRow("mark twice") << "〒〒1000001"
                                    << "";
        QTest::newRow("letters") << "100-000a"
                                 << "";
        QTest::newRow("other script digits") << "١٠٠٠٠٠١"
                                             << "";
    }

    void normalise()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QByteArray utf8 = input.toUtf8();
        const std::optional<std::string> code = postal::normaliseCode({utf8.constData(), std::size_t(utf8.size())});
        QCOMPARE(QString::fromStdString(code.value_or("")), expected);
    }

    void brokenUtf8IsNoCode()
    {
        QVERIFY(!postal::normaliseCode("100-000\xE3\x80"));
        QVERIFY(!postal::normaliseCode("\xC0\xB1"
                                       "000001"));
    }

    void format() { QCOMPARE(postal::formatCode("1000001"), std::string("100-0001")); }
};

QTEST_APPLESS_MAIN(TestPostalCode)
#include "tst_postalcode.moc"
