#include "batch/BatchSlip.h"
#include "batch/PostalSlipCheck.h"
#include "postal/PostalDirectory.h"

#include <QTest>

// The built-in national list's word on batch slips.
class TestPostalCheck : public QObject
{
    Q_OBJECT

private slots:
    void warnsOnlyWhenTheListDisagrees_data();
    void warnsOnlyWhenTheListDisagrees();
};

void TestPostalCheck::warnsOnlyWhenTheListDisagrees_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QString>("address1");
    QTest::addColumn<QString>("warning"); // a part of the warning; empty: none
    QTest::newRow("agrees") << "100-0005"
                            << "東京都千代田区丸の内１－２－３"
                            << "";
    QTest::newRow("another city") << "060-0001"
                                  << "北海道札幌市北区北十一条西1-2-3"
                                  << "一致しません";
    QTest::newRow("unknown code") << "999-9999"
                                  << "東京都千代田区丸の内1-1"
                                  << "見つかりません";
    QTest::newRow("no code: left to the form check") << "1234"
                                                     << "東京都港区芝公園4-2-8"
                                                     << "";
    QTest::newRow("no code at all") << ""
                                    << "東京都港区芝公園4-2-8"
                                    << "";
    QTest::newRow("empty address agrees") << "100-0005"
                                          << ""
                                          << "";
}

void TestPostalCheck::warnsOnlyWhenTheListDisagrees()
{
    QFETCH(QString, zip);
    QFETCH(QString, address1);
    QFETCH(QString, warning);
    static const postal::PostalDirectory directory = postal::PostalDirectory::builtIn();
    batch::BatchSlip slip;
    slip.recipient.zip = zip.toStdString();
    slip.recipient.address1 = address1.toStdString();
    const std::vector<std::string> warnings = batch::PostalSlipCheck(directory).check(slip);
    if (warning.isEmpty()) {
        QVERIFY(warnings.empty());
        return;
    }
    QCOMPARE(warnings.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(warnings.front()).contains(warning), warnings.front().c_str());
}

QTEST_APPLESS_MAIN(TestPostalCheck)
#include "tst_postalcheck.moc"
