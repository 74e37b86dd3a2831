#include "postal/AddressAgreement.h"
#include "postal/PostalDirectory.h"

#include <QTest>

using postal::Agreement;

Q_DECLARE_METATYPE(postal::Agreement)

class TestAddressAgreement : public QObject
{
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("address");
        QTest::addColumn<Agreement>("agreement");
        QTest::addColumn<QString>("message");

        const QString mismatch = "郵便番号と住所が一致しません（〒100-0001 は東京都千代田区千代田）";
        QTest::newRow("full address") << "100-0001"
                                      << "東京都千代田区千代田1-1" << Agreement::Agrees << "";
        QTest::newRow("no prefecture") << "1000001"
                                       << "千代田区千代田1-1" << Agreement::Agrees << "";
        QTest::newRow("blanks between") << "〒100-0001"
                                        << "東京都　千代田区 千代田" << Agreement::Agrees << "";
        QTest::newRow("prefecture only") << "100-0001"
                                         << "東京都" << Agreement::Disagrees << mismatch;
        QTest::newRow("other city") << "100-0001"
                                    << "東京都中央区銀座1-1" << Agreement::Disagrees << mismatch;
        QTest::newRow("other prefecture") << "100-0001"
                                          << "大阪府千代田区" << Agreement::Disagrees << mismatch;
        QTest::newRow("empty address") << "100-0001"
                                       << "" << Agreement::Agrees << "";
        QTest::newRow("second of two entries") << "498-0000"
                                               << "三重県桑名郡木曽岬町西対海地" << Agreement::Agrees << "";
        QTest::newRow("neither of two entries")
            << "498-0000"
            << "岐阜県岐阜市" << Agreement::Disagrees
            << "郵便番号と住所が一致しません（〒498-0000 は愛知県弥富市、三重県桑名郡木曽岬町）";
        QTest::newRow("district left out") << "498-0000"
                                           << "三重県木曽岬町西対海地" << Agreement::Agrees << "";
        QTest::newRow("district and prefecture left out") << "498-0000"
                                                          << "木曽岬町" << Agreement::Agrees << "";
        QTest::newRow("city starting with 郡")
            << "963-8001"
            << "山市大町" << Agreement::Disagrees << "郵便番号と住所が一致しません（〒963-8001 は福島県郡山市大町）";
        QTest::newRow("small ke") << "273-0100"
                                  << "千葉県鎌ヶ谷市" << Agreement::Agrees << "";
        QTest::newRow("unknown code") << "000-0000"
                                      << "東京都千代田区" << Agreement::UnknownCode << "この郵便番号は見つかりません";
        QTest::newRow("unknown code, empty address") << "0000000"
                                                     << "" << Agreement::UnknownCode << "この郵便番号は見つかりません";
        QTest::newRow("not a code") << "100-00"
                                    << "東京都千代田区" << Agreement::NotACode << "";
        QTest::newRow("no code") << ""
                                 << "東京都千代田区" << Agreement::NotACode << "";
    }

    void check()
    {
        QFETCH(QString, zip);
        QFETCH(QString, address);
        QFETCH(Agreement, agreement);
        QFETCH(QString, message);
        const postal::AgreementResult result =
            postal::checkAgreement(postal::directoryFor("/nonexistent"), zip.toStdString(), address.toStdString());
        QCOMPARE(QString::fromStdString(result.message), message);
        QCOMPARE(result.agreement, agreement);
    }
};

QTEST_APPLESS_MAIN(TestAddressAgreement)
#include "tst_addressagreement.moc"
