#include "postal/AddressLines.h"
#include "postal/AddressStyle.h"

#include <QTest>

// The one address splitter, as shop exports and order mails reach it.
class TestAddressLines : public QObject
{
    Q_OBJECT

private slots:
    void split_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("building"); // kept apart by the export
        QTest::addColumn<int>("placeLength");
        QTest::addColumn<QStringList>("towns");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");

        const QStringList none;
        QTest::newRow("building after the street number") << "東京都港区六本木6-10-1 六本木ヒルズ森タワー 25F"
                                                          << "" << 0 << none << "東京都港区六本木6-10-1"
                                                          << "六本木ヒルズ森タワー 25F";
        QTest::newRow("building glued, full-width digits and dashes")
            << "大阪府大阪市北区梅田２－４－９梅田ビル１２Ｆ"
            << "" << 0 << none << "大阪府大阪市北区梅田２－４－９"
            << "梅田ビル１２Ｆ";
        QTest::newRow("export's building joins the rest") << "東京都千代田区丸の内1-2-3 東京ビル"
                                                          << "101" << 0 << none << "東京都千代田区丸の内1-2-3"
                                                          << "東京ビル　101";
        QTest::newRow("care-of") << "埼玉県さいたま市浦和区高砂3-15-1 田中様方"
                                 << "" << 0 << none << "埼玉県さいたま市浦和区高砂3-15-1"
                                 << "田中様方";
        QTest::newRow("post-office hold") << "東京都千代田区丸の内2-7-2東京中央郵便局留"
                                          << "" << 0 << none << "東京都千代田区丸の内2-7-2"
                                          << "東京中央郵便局留";
        QTest::newRow("号室 goes with its number") << "東京都新宿区高田馬場1-26-5-702号室"
                                                   << "" << 0 << none << "東京都新宿区高田馬場1-26-5"
                                                   << "702号室";
        QTest::newRow("Sapporo 条 and 丁目") << "北海道札幌市中央区北2条西4丁目1番地 JPビル"
                                             << "" << 0 << none << "北海道札幌市中央区北2条西4丁目1番地"
                                             << "JPビル";
        QTest::newRow("大字 and 番地の") << "長野県辰野町大字辰野1234番地の5 離れ"
                                         << "" << 0 << none << "長野県辰野町大字辰野1234番地の5"
                                         << "離れ";
        QTest::newRow("town ending in 番丁") << "和歌山県和歌山市一番丁12 和歌山ビル"
                                             << "" << 0 << none << "和歌山県和歌山市一番丁12"
                                             << "和歌山ビル";
        QTest::newRow("town ending in 軒丁") << "和歌山県和歌山市北新七軒丁25-1 コーポ"
                                             << "" << 0 << none << "和歌山県和歌山市北新七軒丁25-1"
                                             << "コーポ";
        QTest::newRow("丁 with a number after it is a block") << "大阪府堺市堺区北瓦町2丁1-14 堺ビル"
                                                              << "" << 0 << none << "大阪府堺市堺区北瓦町2丁1-14"
                                                              << "堺ビル";
        QTest::newRow("四丁目 begins the number") << "宮城県仙台市青葉区一番町四丁目7番17号 ビル"
                                                  << "" << 0 << none << "宮城県仙台市青葉区一番町四丁目7番17号"
                                                  << "ビル";
        QTest::newRow("listed town holding a number")
            << "秋田県にかほ市象潟町５丁目塩越12 象潟荘"
            << "" << 0 << QStringList{"象潟町５丁目塩越"} << "秋田県にかほ市象潟町５丁目塩越12"
            << "象潟荘";
        QTest::newRow("Kyoto over 40 bytes: after the direction")
            << "京都府京都市中京区河原町通三条上る恵比須町123番地"
            << "" << 0 << none << "京都府京都市中京区河原町通三条上る"
            << "恵比須町123番地";
        QTest::newRow("Kyoto direction with building") << "京都府京都市中京区河原町通三条上ル恵比須町427 河原町ビル4F"
                                                       << "" << 9 << none << "京都府京都市中京区河原町通三条上ル"
                                                       << "恵比須町427 河原町ビル4F";
        QTest::newRow("Kyoto within 40 bytes stays whole")
            << "京都市中京区河原町通三条上る恵比須町12"
            << "" << 0 << none << "京都市中京区河原町通三条上る恵比須町12"
            << "";
        QTest::newRow("town 西入船 is no direction") << "愛知県新城市西入船あいうえおかきくけこさしすせそ12"
                                                     << "" << 6 << none << "愛知県新城市"
                                                     << "西入船あいうえおかきくけこさしすせそ12";
        QTest::newRow("no natural point: cut at 40 bytes")
            << "あいうえおかきくけこさしすせそたちつてとなにぬねの"
            << "" << 0 << none << "あいうえおかきくけこさしすせそたちつてと"
            << "なにぬねの";
        QTest::newRow("over 40 bytes: at a blank") << "あいうえおかきくけこ さしすせそたちつてとなにぬねの"
                                                   << "" << 0 << none << "あいうえおかきくけこ"
                                                   << "さしすせそたちつてとなにぬねの";
        QTest::newRow("half-width kana count one byte") << "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓ1-2"
                                                        << "" << 0 << none << "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓ1-2"
                                                        << "";
        QTest::newRow("empty") << ""
                               << "" << 0 << none << ""
                               << "";
    }

    void split()
    {
        QFETCH(QString, address);
        QFETCH(QString, building);
        QFETCH(int, placeLength);
        QFETCH(QStringList, towns);
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        postal::AddressHints hints{static_cast<std::size_t>(placeLength), {}};
        for (const QString& town : towns) {
            hints.towns.push_back(town.toStdU32String());
        }
        const postal::AddressLines lines = postal::splitAddress(address.toStdString(), building.toStdString(), hints);
        QCOMPARE(QString::fromStdString(lines.line1), line1);
        QCOMPARE(QString::fromStdString(lines.line2), line2);
    }

    // The lines are stretches of the given bytes, measured in code points of any length; a
    // malformed byte comes out as U+FFFD, as the slip shows it.
    void splitBytes_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("building");
        QTest::addColumn<QByteArray>("line1");
        QTest::addColumn<QByteArray>("line2");
        QTest::newRow("blanks before, characters of two and four bytes")
            << QByteArray("\t　 Café🍣町1-2 ビル") << QByteArray(" 🍣 ") << QByteArray("Café🍣町1-2")
            << QByteArray("ビル　🍣");
        QTest::newRow("malformed byte in the address") << QByteArray("東京都\xFF港区1-2 ビル") << QByteArray()
                                                       << QByteArray("東京都\uFFFD港区1-2") << QByteArray("ビル");
        QTest::newRow("malformed byte in the building only") << QByteArray("東京都港区1-2") << QByteArray("ビル\xFE")
                                                             << QByteArray("東京都港区1-2") << QByteArray("ビル\uFFFD");
        QTest::newRow("a real U+FFFD stays")
            << QByteArray("港区\uFFFD1-2 ビル") << QByteArray() << QByteArray("港区\uFFFD1-2") << QByteArray("ビル");
    }

    void splitBytes()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, building);
        QFETCH(QByteArray, line1);
        QFETCH(QByteArray, line2);
        const postal::AddressLines lines =
            postal::splitAddress(address.toStdString(), building.toStdString(), postal::AddressHints{});
        QCOMPARE(QByteArray::fromStdString(lines.line1), line1);
        QCOMPARE(QByteArray::fromStdString(lines.line2), line2);
    }

    // Kept apart from the slip's 40-byte rule: a mail's reader leaves a line with no natural
    // point long, for the user to decide after the warning.
    void cutLeavesLongLineWithoutNaturalPoint()
    {
        const std::u32string text = U"鹿児島県鹿児島郡十島村中之島字大字七ツ山下3456-78";
        const postal::AddressCut cut = postal::cutAddress(text);
        QCOMPARE(cut.line1End, text.size());
        QVERIFY(cut.afterStreetNumber);
    }

    // Malformed bytes read as one U+FFFD each can leave the text shorter than the place the
    // caller counted; the cut stays within the text (a fuzz finding).
    void placeLongerThanTheTextStaysInside()
    {
        const std::u32string text = U"東京都千代田区丸の内二丁目七番二号ＪＰタワー商業棟四階四〇一号室";
        const postal::AddressCut cut = postal::cutAddress(text, {text.size() + 3, {}});
        QVERIFY(cut.line1End <= text.size());
        QVERIFY(cut.line2Begin <= text.size());
    }

    void comparablePlace_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("kanji numerals and 条") << "北十一条西"
                                               << "北11西";
        QTest::newRow("twenty") << "二十軒"
                                << "20軒";
        QTest::newRow("ケ forms") << "霞ヶ関"
                                  << "霞が関";
        QTest::newRow("之 and の") << "湯之沢"
                                   << "湯の沢";
        QTest::newRow("old kanji") << "龍ケ崎"
                                   << "竜ヶ崎";
        QTest::newRow("大字") << "大字辰野"
                              << "辰野";
        QTest::newRow("full-width digits") << "杉名畑４４地割"
                                           << "杉名畑44地割";
    }

    void comparablePlace()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QCOMPARE(QString::fromStdU32String(postal::comparablePlace(a.toStdU32String())),
                 QString::fromStdU32String(postal::comparablePlace(b.toStdU32String())));
    }
};

QTEST_APPLESS_MAIN(TestAddressLines)
#include "tst_addresslines.moc"
