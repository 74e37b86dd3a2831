#include "batch/ColumnMapping.h"
#include "batch/OrderFile.h"

#include <QFile>
#include <QTest>

// Every shop format, from real-shaped exports in both encodings with spreadsheet damage.
class TestOrderFile : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryFormat_data();
    void readsEveryFormat();
    void groupsRowsByOrderAndDestination_data();
    void groupsRowsByOrderAndDestination();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
    void everyRowIsAccountedFor_data();
    void everyRowIsAccountedFor();
    void unreadableBytesHoldTheSlipBack();
};

namespace {

QByteArray fixture(const QString& name)
{
    QFile file(QStringLiteral(BATCH_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing fixture %s", qPrintable(name));
    }
    return file.readAll();
}

// One slip as "order|zip|address1|address2|name|tel|goods1|goods2|goods3|warnings".
QString summary(const batch::BatchSlip& slip)
{
    QStringList warnings;
    for (const std::string& warning : slip.warnings) {
        warnings << QString::fromStdString(warning);
    }
    QStringList parts;
    const SlipAddress& to = slip.recipient;
    for (const std::string* field : {&slip.order, &to.zip, &to.address1, &to.address2, &to.name, &to.tel,
                                     &slip.goods[0], &slip.goods[1], &slip.goods[2]}) {
        parts << QString::fromStdString(*field);
    }
    parts << warnings.join(';');
    return parts.join('|');
}

struct Expected
{
    QString file;
    QString mapping;
    QString format;
    QStringList slips;
    QList<int> skippedRows;
};

QList<Expected> expectations()
{
    return {
        {"rakuten",
         "",
         "rakuten",
         {"R-001|060-0001|北海道札幌市北区北十一条西1-2-3||山田　太郎|011-123-4567|りんごジュース ×2|みかん, 箱入り||",
          "R-002|100-0005|東京都千代田区丸の内１－２－３|丸の内ビルディング１２３４号室と長い名前の建物|佐藤　花子|03-"
          "1234-"
          "5678|商品A|||おところ②が40バイトを超えています"},
         {6}},
        {"yahoo",
         "",
         "yahoo",
         {"y-1|060-0001|北海道札幌市中央区北一条西2-1||鈴木　一郎|090-1234-5678|帽子 \"特価\"|||",
          "y-2|530-0001|大阪府大阪市北区梅田1-1-1|梅田ビル5F|高橋|06-1111-2222|Tシャツ 白 ×3|||"},
         {}},
        {"amazon",
         "",
         "amazon",
         {"503-111|812-0011|福岡県福岡市博多区博多駅前1-1-1||田中 次郎|092-123-4567|本|ペン ×2||",
          "503-222|980-0811|宮城県仙台市青葉区一番町1-2-3|青葉ハイツ101|伊藤 美咲|022-222-3333|ノート|||"},
         {}},
        {"base",
         "",
         "base",
         {"B1|001-0010|北海道札幌市北区北十条西1-1||渡辺　健|09012345678|マグカップ|||",
          "B2|460-0008|愛知県名古屋市中区栄3-4-5||中村　さくら||お皿|||電話番号がありません"},
         {}},
        {"stores",
         "",
         "stores",
         {"S-1|150-0002|東京都渋谷区渋谷2-21-1||小林　優子||ブローチ|ピアス|リング　他1点|電話番号がありません",
          "S-2|1234|東京都港区芝公園4-2-8||加藤||帽子|||郵便番号の形が正しくありません;電話番号がありません"},
         {}},
        {"colorme",
         "",
         "colorme",
         {"1001|730-0011|広島県広島市中区基町1-1||吉田 真一|082-111-2222|お茶|羊羹||",
          "1001|730-0012|広島県広島市中区上八丁堀2-2||吉田 綾|082-333-4444|お茶 ×2|||"},
         {}},
        {"shopify",
         "",
         "shopify",
         {"#1001|160-0023|東京都新宿区西新宿1-2-3|新宿ビル500|森 健司|03-1234-5678|緑茶 ×2|茶筅||",
          "#1002|163-8001|東京都新宿区西新宿2-8-1||森 恵美|09011112222|急須|||"},
         {}},
        {"generic",
         "name=氏名,zip=2,address1=住所,tel=電話,item=品物",
         "generic",
         {"|060-0001|北海道札幌市中央区北一条西２丁目１番地|札幌ビル|石井, 和也|011-222-3333|カレンダー|||"},
         {4}}, // a name alone is no address
    };
}

} // namespace

void TestOrderFile::readsEveryFormat_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QStringList>("slips");
    QTest::addColumn<QList<int>>("skippedRows");
    for (const Expected& e : expectations()) {
        const QString extension = e.file == "amazon" ? ".txt" : ".csv";
        for (const QString encoding : {"utf-8", "cp932"}) {
            const QString file = e.file + (encoding == "utf-8" ? "-utf8" : "-cp932") + extension;
            QTest::newRow(qPrintable(file)) << file << e.mapping << e.format << encoding << e.slips << e.skippedRows;
        }
    }
}

void TestOrderFile::readsEveryFormat()
{
    QFETCH(QString, file);
    QFETCH(QString, mapping);
    QFETCH(QString, format);
    QFETCH(QString, encoding);
    QFETCH(QStringList, slips);
    QFETCH(QList<int>, skippedRows);
    batch::ReadOptions options;
    options.columnMap = mapping.toStdString();
    const QByteArray bytes = fixture(file);
    const batch::OrderFile result = batch::ReadOrderFile(std::string_view(bytes.constData(), bytes.size()), options);
    QCOMPARE(QString::fromStdString(result.format), format);
    QCOMPARE(QString::fromStdString(std::string(batch::EncodingName(result.encoding))), encoding);
    QStringList actual;
    for (const batch::BatchSlip& slip : result.slips) {
        actual << summary(slip);
    }
    QCOMPARE(actual, slips);
    QList<int> rows;
    for (const batch::SkippedRow& row : result.skipped) {
        rows << static_cast<int>(row.row);
    }
    QCOMPARE(rows, skippedRows);
}

void TestOrderFile::groupsRowsByOrderAndDestination_data()
{
    QTest::addColumn<QByteArray>("rows"); // order,name,address,item
    QTest::addColumn<QString>("slips");   // order:name:goods per slip
    QTest::newRow("item rows follow") << QByteArray("A,山田,東京1,x\nA,山田,東京1,y\nB,佐藤,大阪2,z\n")
                                      << "A:山田:x|y / B:佐藤:z";
    QTest::newRow("an order comes back later")
        << QByteArray("A,山田,東京1,x\nB,佐藤,大阪2,z\nA,山田,東京1,w\n") << "A:山田:x|w / B:佐藤:z";
    QTest::newRow("second destination, then an item row without one")
        << QByteArray("A,山田,東京1,x\nA,鈴木,京都3,v\nA,,,u\nA,山田,東京1,w\n") << "A:山田:x|w / A:鈴木:v|u";
    QTest::newRow("rows without an order are slips of their own")
        << QByteArray(",山田,東京1,x\n,山田,東京1,y\n") << ":山田:x / :山田:y";
    QTest::newRow("destinations differ cell by cell, whatever the cells hold")
        << QByteArray("A,,東京1\x1f,x\nA,\x1f,東京1,y\n") << "A::x / A:\x1f:y";
}

void TestOrderFile::groupsRowsByOrderAndDestination()
{
    QFETCH(QByteArray, rows);
    QFETCH(QString, slips);
    batch::ReadOptions options;
    options.columnMap = "order=1,name=2,address1=3,item=4";
    const batch::OrderFile file = batch::ReadOrderFile(("o,n,a,i\n" + rows).toStdString(), options);
    QStringList got;
    for (const batch::BatchSlip& slip : file.slips) {
        QStringList goods;
        for (const std::string& line : slip.goods) {
            if (!line.empty()) {
                goods << QString::fromStdString(line);
            }
        }
        got << QString::fromStdString(slip.order + ":" + slip.recipient.name + ":") + goods.join('|');
    }
    QCOMPARE(got.join(" / "), slips);
}

void TestOrderFile::refusesWhatItCannotRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("mapping");
    QTest::newRow("unknown columns") << QByteArray("a,b,c\n1,2,3\n") << ""
                                     << "";
    QTest::newRow("unknown format name") << fixture("base-utf8.csv") << "ebay"
                                         << "";
    QTest::newRow("forced format lacks columns") << fixture("base-utf8.csv") << "rakuten"
                                                 << "";
    QTest::newRow("generic without mapping") << fixture("generic-utf8.csv") << "generic"
                                             << "";
    QTest::newRow("mapping names a missing header") << fixture("generic-utf8.csv") << ""
                                                    << "name=お名前";
    QTest::newRow("mapping with an unknown field") << fixture("generic-utf8.csv") << ""
                                                   << "street=住所";
    QTest::newRow("mapping without address or name") << fixture("generic-utf8.csv") << ""
                                                     << "zip=2";
    QTest::newRow("column number 0") << fixture("generic-utf8.csv") << ""
                                     << "name=0";
}

void TestOrderFile::refusesWhatItCannotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, format);
    QFETCH(QString, mapping);
    batch::ReadOptions options;
    if (!format.isEmpty()) {
        options.format = format.toStdString();
    }
    options.columnMap = mapping.toStdString();
    QVERIFY_THROWS_EXCEPTION(batch::BatchError,
                             batch::ReadOrderFile(std::string_view(bytes.constData(), bytes.size()), options));
}

namespace {

// A generic file of `rows` orders, one per row after the header, row `brokenRow` with `cell`
// as its name.
QByteArray genericOrders(int rows, int brokenRow, const QByteArray& cell)
{
    QByteArray text = "name,zip,address,tel\r\n";
    for (int row = 2; row <= rows + 1; ++row) {
        text += (row == brokenRow ? cell : "山田" + QByteArray::number(row)) + ",100-0005,東京都千代田区丸の内1,03\r\n";
    }
    return text;
}

} // namespace

// A quote that does not close within a few lines must not swallow the rest of the file
// unseen: its row and every row it runs over are skipped, each with its row number.
void TestOrderFile::everyRowIsAccountedFor_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("slips");
    QTest::addColumn<int>("firstSkipped");
    QTest::addColumn<int>("lastSkipped");
    QTest::newRow("quote never closed on row 3 of 1,002") << genericOrders(1001, 3, "\"山田") << 1 << 3 << 1002;
    QTest::newRow("quote closed 30 lines on") << genericOrders(60, 5, "\"山田") + "x\",1,2,3\r\n" << 3 << 5 << 62;
    QTest::newRow("three lines in a quoted name stay one slip")
        << genericOrders(5, 4, "\"山田\r\n様方\r\n太郎\"") << 5 << 0 << 0;
}

void TestOrderFile::everyRowIsAccountedFor()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, slips);
    QFETCH(int, firstSkipped);
    QFETCH(int, lastSkipped);
    batch::ReadOptions options;
    options.columnMap = "name=1,zip=2,address1=3,tel=4";
    const batch::OrderFile file = batch::ReadOrderFile(std::string_view(bytes.constData(), bytes.size()), options);
    QCOMPARE(int(file.slips.size()), slips);
    if (firstSkipped == 0) {
        QVERIFY(file.skipped.empty());
        return;
    }
    QCOMPARE(int(file.skipped.size()), lastSkipped - firstSkipped + 1);
    for (std::size_t i = 0; i < file.skipped.size(); ++i) {
        QCOMPARE(int(file.skipped[i].row), firstSkipped + int(i));
    }
    QVERIFY(QString::fromStdString(file.skipped.front().reason).contains(QString::number(lastSkipped) + "行目まで"));
}

// One bad byte in a UTF-8 file: the file stays UTF-8, only that slip is held back and says why.
void TestOrderFile::unreadableBytesHoldTheSlipBack()
{
    QByteArray bytes = genericOrders(3, 3, "山田\xFF");
    batch::ReadOptions options;
    options.columnMap = "name=1,zip=2,address1=3,tel=4";
    const batch::OrderFile file = batch::ReadOrderFile(std::string_view(bytes.constData(), bytes.size()), options);
    QCOMPARE(file.encoding, batch::Encoding::Utf8);
    QCOMPARE(file.slips.size(), std::size_t{3});
    QCOMPARE(file.slips[0].blockedUnlessForced, std::string());
    QCOMPARE(file.slips[1].recipient.name, std::string("山田〓"));
    QCOMPARE(file.slips[1].blockedUnlessForced, std::string("読めない文字があります"));
    QVERIFY(std::find(file.slips[1].warnings.begin(), file.slips[1].warnings.end(), "読めない文字があります") !=
            file.slips[1].warnings.end());
}

QTEST_APPLESS_MAIN(TestOrderFile)
#include "tst_orderfile.moc"
