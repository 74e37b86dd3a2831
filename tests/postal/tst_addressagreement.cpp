#include "postal/AddressAgreement.h"
#include "postal/AddressLines.h"
#include "postal/PostalDirectory.h"

#include <array>
#include <cstdio>
#include <functional>

#include <QTest>

using postal::Agreement;

namespace {

void forEachEntry(const postal::PostalDirectory& directory,
                  const std::function<void(const postal::PostalEntry&)>& visit)
{
    char digits[8];
    for (int code = 0; code <= 9999999; ++code) {
        std::snprintf(digits, sizeof digits, "%07d", code);
        for (const postal::PostalEntry& entry : directory.find(digits)) {
            visit(entry);
        }
    }
}

} // namespace

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
        QTest::newRow("other town of the city") << "100-0001"
                                                << "東京都千代田区丸の内1-1" << Agreement::Disagrees << mismatch;
        QTest::newRow("Kyoto street direction before the town")
            << "604-8005"
            << "京都府京都市中京区河原町通三条上る恵比須町123番地" << Agreement::Agrees << "";
        QTest::newRow("Kyoto line 1 ending with the direction")
            << "604-8005"
            << "京都府京都市中京区河原町通三条上る" << Agreement::Agrees << "";
        QTest::newRow("Kyoto direction in katakana, no 通")
            << "604-8005"
            << "京都市中京区河原町三条上ル恵比須町" << Agreement::Agrees << "";
        QTest::newRow("Kyoto direction before another town")
            << "604-8005"
            << "京都府京都市中京区河原町通三条上る道場町1" << Agreement::Disagrees
            << "郵便番号と住所が一致しません（〒604-8005 は京都府京都市中京区恵比須町）";
        QTest::newRow("Sapporo 条 in digits") << "060-0001"
                                              << "北海道札幌市中央区北1条西2丁目" << Agreement::Agrees << "";
        QTest::newRow("Sapporo without 条") << "060-0001"
                                            << "札幌市中央区北1西2-1" << Agreement::Agrees << "";
        QTest::newRow("大字 written, not listed")
            << "399-0421"
            << "長野県上伊那郡辰野町大字辰野1234番地の5" << Agreement::Agrees << "";
        QTest::newRow("ヶ for が") << "100-0013"
                                   << "東京都千代田区霞ヶ関1-1-1" << Agreement::Agrees << "";
        QTest::newRow("の for 之") << "029-5506"
                                   << "岩手県和賀郡西和賀町湯の沢1-1" << Agreement::Agrees << "";
        QTest::newRow("town ending in 丁") << "640-8141"
                                           << "和歌山県和歌山市五番丁12" << Agreement::Agrees << "";
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

    void wholeListAgreesWithItself();
    void kyotoStreetStyleAgrees();
};

// Every entry of the built-in list written as an address of its own must agree with its code:
// "prefecture+city+town+1-1" whole, and its first line after the slip's split.
void TestAddressAgreement::wholeListAgreesWithItself()
{
    const postal::PostalDirectory& directory = postal::directoryFor("/nonexistent");
    std::size_t entries = 0;
    QStringList falseWarnings;
    forEachEntry(directory, [&](const postal::PostalEntry& entry) {
        ++entries;
        const std::string address = postal::addressOf(entry) + "1-1";
        for (const std::string& written : {address, postal::splitAddress(address).line1}) {
            if (postal::checkAgreement(directory, entry.zip, written).agreement != Agreement::Agrees) {
                falseWarnings.append(QString::fromStdString(entry.zip + " " + written));
            }
        }
    });
    qInfo().noquote() << entries << "entries," << falseWarnings.size() << "false warnings" << falseWarnings.mid(0, 5);
    QCOMPARE(entries, directory.entryCount());
    QVERIFY(falseWarnings.isEmpty());
}

// Kyoto's entries in street style: direction before the town, split where line 1 fits the form.
void TestAddressAgreement::kyotoStreetStyleAgrees()
{
    const postal::PostalDirectory& directory = postal::directoryFor("/nonexistent");
    const std::array<std::string, 8> directions{"上る", "下る", "西入", "東入", "上ル", "下ル", "西入ル", "東入ル"};
    std::size_t written = 0;
    QStringList falseWarnings;
    forEachEntry(directory, [&](const postal::PostalEntry& entry) {
        if (!entry.city.starts_with("京都市") || entry.town.empty() || !entry.street.empty()) {
            return;
        }
        const std::string address = entry.prefecture + entry.city + "河原町通三条" +
                                    directions[written++ % directions.size()] + entry.town + "123番地";
        const postal::AddressLines lines = postal::splitAddress(address);
        for (const std::string& line : {address, lines.line1}) {
            if (postal::checkAgreement(directory, entry.zip, line).agreement != Agreement::Agrees) {
                falseWarnings.append(QString::fromStdString(entry.zip + " " + line));
            }
        }
    });
    qInfo().noquote() << written << "Kyoto addresses," << falseWarnings.size() << "false warnings"
                      << falseWarnings.mid(0, 5);
    QVERIFY(written > 1000);
    QVERIFY(falseWarnings.isEmpty());
}

QTEST_APPLESS_MAIN(TestAddressAgreement)
#include "tst_addressagreement.moc"
