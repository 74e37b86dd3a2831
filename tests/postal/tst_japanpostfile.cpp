#include "platform/Cp932.h"
#include "postal/JapanPostFile.h"
#include "postal/TownName.h"
#include "tests/postal/DescribeEntries.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <iterator>
#include <sys/stat.h>

using postal::PostalEntry;

namespace {

const std::string kTail = ",0,0,0,0,0,0\r\n";

// A residential line in code page 932, as KEN_ALL.CSV holds it.
std::string kenAll(const std::string& zip, const std::string& town, const std::string& prefecture = "北海道")
{
    return cp932::FromUtf8("01101,\"060  \",\"" + zip + "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼ\",\"ｶﾅ\",\"" + prefecture +
                           "\",\"札幌市中央区\",\"" + town + "\"" + kTail);
}

} // namespace

class TestJapanPostFile : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");

        QTest::newRow("KEN_ALL.CSV") << "KEN_ALL.CSV"
                                     << "060-0000|北海道|札幌市中央区|||\n"
                                        "060-0042|北海道|札幌市中央区|大通西||\n"
                                        "060-0042|北海道|札幌市中央区|大通西||\n"
                                        "066-0005|北海道|千歳市|協和||\n"
                                        "306-0433|茨城県|猿島郡境町|||\n"
                                        "100-6001|東京都|千代田区|霞が関霞が関ビル１階||\n"
                                        "100-6090|東京都|千代田区|霞が関霞が関ビル||\n"
                                        "100-1301|東京都|御蔵島村|||\n"
                                        "498-0000|愛知県|弥富市|||\n"
                                        "498-0000|三重県|桑名郡木曽岬町|||\n"
                                        "522-0317|滋賀県|犬上郡多賀町|一円||\n"
                                        "100-0001|東京都|千代田区|千代田||";
        QTest::newRow("utf_ken_all.csv") << "utf_ken_all.csv"
                                         << "066-0005|北海道|千歳市|協和||\n"
                                            "100-0005|東京都|千代田区|丸の内||\n"
                                            "100-6001|東京都|千代田区|霞が関霞が関ビル１階||\n"
                                            "060-0000|北海道|札幌市中央区|||\n"
                                            "904-0493|沖縄県|国頭郡恩納村|字瀬良垣||";
        QTest::newRow("JIGYOSYO.CSV") << "JIGYOSYO.CSV"
                                      << "060-8621|北海道|札幌市中央区|北一条西|６丁目１－２|株式会社　北海新聞社\n"
                                         "904-0493|沖縄県|国頭郡恩納村|字瀬良垣|２２６０|万座ビーチホテル＆リゾート\n"
                                         "100-8799|東京都|千代田区|丸の内|１丁目１－１|株式会社\"テスト\"";
    }

    void fixtures()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(DescribeEntries(postal::readJapanPostFile(std::filesystem::path(FIXTURES) / file.toStdString())),
                 expected);
    }

    void townNames_data()
    {
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain") << "千代田"
                               << "千代田";
        QTest::newRow("not listed") << "以下に掲載がない場合"
                                    << "";
        QTest::newRow("number follows the city") << "境町の次に番地がくる場合"
                                                 << "";
        QTest::newRow("whole village") << "御蔵島村一円"
                                       << "";
        QTest::newRow("town named 一円") << "一円"
                                         << "一円";
        QTest::newRow("number range") << "大通西（１～１９丁目）"
                                      << "大通西";
        QTest::newRow("other areas") << "春日町（その他）"
                                     << "春日町";
        QTest::newRow("numbers and commas") << "藤野（４００、４００－２番地）"
                                            << "藤野";
        QTest::newRow("floor") << "霞が関霞が関ビル（１階）"
                               << "霞が関霞が関ビル１階";
        QTest::newRow("basement floor") << "西新宿新宿ＮＳビル（地下１階）"
                                        << "西新宿新宿ＮＳビル地下１階";
        QTest::newRow("floor unknown") << "霞が関霞が関ビル（地階・階層不明）"
                                       << "霞が関霞が関ビル";
        QTest::newRow("two groups, the floor kept") << "名駅ミッドランドスクエア（高層棟）（１２階）"
                                                    << "名駅ミッドランドスクエア１２階";
        QTest::newRow("nested") << "大字上（甲（１番）～乙）南"
                                << "大字上南";
        QTest::newRow("unclosed") << "協和（８８－２、"
                                  << "協和";
        QTest::newRow("stray closing") << "協和）北"
                                       << "協和北";
        QTest::newRow("digits without 階") << "大通（１２）"
                                           << "大通";
    }

    void townNames()
    {
        QFETCH(QString, town);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(postal::townOfRecord(town.toStdString())), expected);
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        const std::string good = kenAll("0600000", "以下に掲載がない場合");
        QTest::newRow("empty file") << QByteArray() << "KEN_ALL.CSV の 1 行目: 郵便番号の行がありません";
        QTest::newRow("unknown columns")
            << QByteArray("a,b,c\r\n")
            << "KEN_ALL.CSV の 1 行目: 項目の数が 3 です（住所の一覧は 15、事業所の一覧は 13 のはずです）";
        QTest::newRow("column missing") << QByteArray::fromStdString(good + good + good.substr(0, good.find(",0,")) +
                                                                     "\r\n")
                                        << "KEN_ALL.CSV の 3 行目: 項目の数が 9 です（15 のはずです）";
        QTest::newRow("cut inside a quote") << QByteArray::fromStdString(good + good.substr(0, 40))
                                            << "KEN_ALL.CSV の 2 行目: 引用符 \" が閉じていません";
        QTest::newRow("cut inside a split town")
            << QByteArray::fromStdString(good + kenAll("0660005", "協和（８８－２、") +
                                         kenAll("0660005", "２７１－１０、"))
            << "KEN_ALL.CSV の 2 行目: 町域名の括弧が閉じないまま続きの行がありません";
        QTest::newRow("split town runs into the next code")
            << QByteArray::fromStdString(kenAll("0660005", "協和（８８－２、") + kenAll("0660006", "東雲町"))
            << "KEN_ALL.CSV の 1 行目: 町域名の括弧が閉じないまま続きの行がありません";
        QTest::newRow("code not seven digits")
            << QByteArray::fromStdString(good + kenAll("060004", "大通西"))
            << "KEN_ALL.CSV の 2 行目: 郵便番号 \"060004\" が 7 桁の数字ではありません";
        QTest::newRow("full-width code")
            << QByteArray::fromStdString(kenAll("０６０００４２", "大通西"))
            << "KEN_ALL.CSV の 1 行目: 郵便番号 \"０６０００４２\" が 7 桁の数字ではありません";
        QTest::newRow("empty prefecture") << QByteArray::fromStdString(kenAll("0600042", "大通西", ""))
                                          << "KEN_ALL.CSV の 1 行目: 都道府県名か市区町村名が空です";
        QTest::newRow("not code page 932")
            << QByteArray::fromStdString(
                   good + "01101,\"060  \",\"0600042\",\"a\",\"b\",\"c\",\"\x96\x6B\",\"x\",\"\xFF\"" + kTail)
            << "KEN_ALL.CSV の 2 行目: 文字コードがコードページ 932 (Shift_JIS) でも UTF-8 でもありません";
        QTest::newRow("a line of commas stops at the sixteenth field")
            << QByteArray(1'000'000, ',')
            << "KEN_ALL.CSV の 1 行目: 項目の数が 15 を超えています（住所の一覧は 15、事業所の一覧は 13 のはずです）";
        QTest::newRow("more lines than any list") << QByteArray(",,,,,,,,,,,,,,\n").repeated(250'001)
                                                  << "KEN_ALL.CSV の 250001 行目: 行が多すぎます（250000 行まで）";
        QTest::newRow("stray quote") << QByteArray::fromStdString(good + "01101,\"060\"x,\"0600042\"\r\n")
                                     << "KEN_ALL.CSV の 2 行目: 引用符 \" の後に区切りのカンマがありません";
    }

    void faults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        try {
            postal::parseJapanPostFile(bytes.toStdString(), "KEN_ALL.CSV");
            QFAIL("accepted");
        } catch (const postal::JapanPostFileError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
    }

    void missingFileIsNamed()
    {
        QVERIFY_THROWS_EXCEPTION(postal::JapanPostFileError, postal::readJapanPostFile("/nonexistent/KEN_ALL.CSV"));
    }

    // A FIFO would hold the update up for ever, a sparse gigabyte fill the memory.
    void onlyRegularFilesOfSaneSizeAreRead()
    {
        QTemporaryDir folder;
        const std::filesystem::path fifo = folder.filePath("KEN_ALL.CSV").toStdString();
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        const std::filesystem::path big = folder.filePath("JIGYOSYO.CSV").toStdString();
        std::ofstream(big).close();
        std::filesystem::resize_file(big, std::uintmax_t{1} << 30);
        for (const auto& [file, reason] :
             {std::pair{fifo, "は通常のファイルではありません"}, std::pair{big, "は大きすぎます"}}) {
            try {
                postal::readJapanPostFile(file);
                QFAIL("read");
            } catch (const postal::JapanPostFileError& error) {
                QVERIFY2(QString::fromUtf8(error.what()).contains(QString::fromUtf8(reason)), error.what());
                QVERIFY(QString::fromUtf8(error.what()).contains(QString::fromStdString(file.filename().string())));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestJapanPostFile)
#include "tst_japanpostfile.moc"
