#include "batch/ColumnMapping.h"
#include "batch/HeaderGuess.h"
#include "batch/OrderFile.h"

#include <QTest>

// What a file's rows say beyond their cells: orders with nowhere to go, rows whose cells
// moved, and headers that name the slip's fields.
class TestOrderChecks : public QObject
{
    Q_OBJECT

private slots:
    void ordersWithoutAnAddressAreSkipped_data();
    void ordersWithoutAnAddressAreSkipped();
    void rowsOfAnotherLengthAreFlagged_data();
    void rowsOfAnotherLengthAreFlagged();
    void headersNameTheirFields_data();
    void headersNameTheirFields();
};

namespace {

constexpr const char* kHeader = "注文番号,氏名,郵便番号,住所,電話,品名\n";

batch::OrderFile read(const QByteArray& rows)
{
    batch::ReadOptions options;
    options.columnMap = "order=1,name=2,zip=3,address1=4,tel=5,item=6";
    return batch::ReadOrderFile((QByteArray(kHeader) + rows).toStdString(), options);
}

QStringList warningsOf(const batch::BatchSlip& slip)
{
    QStringList warnings;
    for (const std::string& warning : slip.warnings) {
        warnings << QString::fromStdString(warning);
    }
    return warnings;
}

} // namespace

void TestOrderChecks::ordersWithoutAnAddressAreSkipped_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("orders");  // the slips left
    QTest::addColumn<QStringList>("skipped"); // "row: reason"
    QTest::addColumn<QString>("warning");     // on the first slip left
    QTest::newRow("a voucher by mail: name and telephone only")
        << QByteArray("A,山田,,,03-1111-2222,商品券\nB,佐藤,100-0005,東京都千代田区丸の内1-1,03-3333-4444,茶\n")
        << QStringList{"B"} << QStringList{"2: お届け先の住所がありません"} << "";
    QTest::newRow("a postal code alone is somewhere to go")
        << QByteArray("A,山田,100-0005,,,茶\n") << QStringList{"A"} << QStringList{} << "おところがありません";
    QTest::newRow("an address without a telephone stays printable")
        << QByteArray("A,山田,100-0005,東京都千代田区丸の内1-1,,茶\n") << QStringList{"A"} << QStringList{}
        << "電話番号がありません";
    QTest::newRow("skipped rows stay in row order")
        << QByteArray(",,,,,\n,,,,,茶\nA,山田,,,03,茶\nB,佐藤,100-0005,東京都,03,茶\nC,,,,,\n") << QStringList{"B"}
        << QStringList{"3: お届け先がありません", "4: お届け先の住所がありません", "6: お届け先がありません"} << "";
    QTest::newRow("every order without an address")
        << QByteArray("A,山田,,,03,茶\nB,佐藤,,,,\n") << QStringList{}
        << QStringList{"2: お届け先の住所がありません", "3: お届け先の住所がありません"} << "";
}

void TestOrderChecks::ordersWithoutAnAddressAreSkipped()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, orders);
    QFETCH(QStringList, skipped);
    QFETCH(QString, warning);
    const batch::OrderFile file = read(rows);
    QStringList left;
    for (const batch::BatchSlip& slip : file.slips) {
        left << QString::fromStdString(slip.order);
    }
    QCOMPARE(left, orders);
    QStringList reasons;
    for (const batch::SkippedRow& row : file.skipped) {
        reasons << QStringLiteral("%1: %2").arg(row.row).arg(QString::fromStdString(row.reason));
    }
    QCOMPARE(reasons, skipped);
    if (!warning.isEmpty()) {
        QVERIFY2(warningsOf(file.slips.front()).contains(warning),
                 qPrintable(warningsOf(file.slips.front()).join('/')));
    }
}

void TestOrderChecks::rowsOfAnotherLengthAreFlagged_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("flags"); // per slip, the rows flagged, joined by "/"
    QTest::newRow("an unquoted comma in the address")
        << QByteArray("A,山田,100-0005,東京都千代田区丸の内1-1,ビル1F,03-1111-2222,茶\nB,佐藤,100-0005,東京都,03,茶\n")
        << QStringList{"2行目の列の数が見出しと違います（7列、見出しは6列）", ""};
    QTest::newRow("a row cut short") << QByteArray("A,山田,100-0005,東京都,03\n")
                                     << QStringList{"2行目の列の数が見出しと違います（5列、見出しは6列）"};
    QTest::newRow("an item row of the order flags its slip")
        << QByteArray("A,山田,100-0005,東京都,03,茶\nA,,,,,菓子,x\n")
        << QStringList{"3行目の列の数が見出しと違います（7列、見出しは6列）"};
    QTest::newRow("a quoted comma is one cell")
        << QByteArray("A,山田,100-0005,\"東京都千代田区丸の内1-1,ビル1F\",03,茶\n") << QStringList{""};
}

void TestOrderChecks::rowsOfAnotherLengthAreFlagged()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, flags);
    const batch::OrderFile file = read(rows);
    QStringList got;
    for (const batch::BatchSlip& slip : file.slips) {
        got << warningsOf(slip).filter(QStringLiteral("行目の列の数")).join('/');
    }
    QCOMPARE(got, flags);
}

void TestOrderChecks::headersNameTheirFields_data()
{
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QString>("mapping"); // field=column from 1, in the fields' order
    QTest::newRow("plain names") << QStringList{"氏名", "郵便番号", "住所", "電話", "品物"}
                                 << "zip=2,address1=3,name=1,tel=4,item=5";
    QTest::newRow("destination prefixes, width, blanks")
        << QStringList{"購入者氏名",   "お届け先 氏名", "送付先〒", "配送先住所１",
                       "配送先住所２", "ＴＥＬ",        "商品名",   "個数"}
        << "zip=3,address1=4,address2=5,name=2,tel=6,item=7,quantity=8";
    QTest::newRow("the first column naming a field wins")
        << QStringList{"注文番号", "住所", "番地", "建物名", "電話番号", "携帯電話"}
        << "order=1,address1=2,address2=4,tel=5";
    QTest::newRow("family and given names; a prefixed 名 is the whole name")
        << QStringList{"姓", "名", "お届け先名"} << "name=3,family=1,given=2";
    QTest::newRow("nothing known") << QStringList{"a", "b", "", "memo"} << "";
}

void TestOrderChecks::headersNameTheirFields()
{
    QFETCH(QStringList, header);
    QFETCH(QString, mapping);
    std::vector<std::string> cells;
    for (const QString& cell : header) {
        cells.push_back(cell.toStdString());
    }
    const batch::ColumnMap map = batch::GuessColumns(cells);
    QStringList got;
    for (std::size_t field = 0; field < map.size(); ++field) {
        if (map[field]) {
            got << QStringLiteral("%1=%2")
                       .arg(QString::fromUtf8(batch::FieldKey(static_cast<batch::Field>(field))))
                       .arg(*map[field] + 1);
        }
    }
    QCOMPARE(got.join(','), mapping);
}

QTEST_APPLESS_MAIN(TestOrderChecks)
#include "tst_orderchecks.moc"
