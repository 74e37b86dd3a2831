#include "batch/AddressSplit.h"
#include "batch/ColumnMapping.h"
#include "batch/Csv.h"
#include "batch/Encoding.h"
#include "batch/Repairs.h"
#include "batch/SlipBuilder.h"
#include "batch/SlipSelection.h"
#include "platform/Cp932.h"

#include <QTest>

#include <deque>

// The rules that turn spreadsheet cells into slip fields.
class TestBatchRules : public QObject
{
    Q_OBJECT

private slots:
    void csvRecords_data();
    void csvRecords();
    void encodingDetection_data();
    void encodingDetection();
    void postalCodeRepair_data();
    void postalCodeRepair();
    void telephoneRepair_data();
    void telephoneRepair();
    void addressSplit_data();
    void addressSplit();
    void goodsLines_data();
    void goodsLines();
    void slipSelection_data();
    void slipSelection();
    void blockedSlipsAreHeldBack();
    void unprintableCharactersAreMarked_data();
    void unprintableCharactersAreMarked();
};

namespace {

QString str(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string std8(const QString& text)
{
    return text.toStdString();
}

} // namespace

void TestBatchRules::csvRecords_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected"); // records "row:cell|cell", joined by " / "
    QTest::newRow("CR LF and LF") << QByteArray("a,b\r\nc,d\ne,f") << "1:a|b / 2:c|d / 3:e|f";
    QTest::newRow("comma and line break in quotes")
        << QByteArray("\"x,y\",\"1\r\n2\"\nz,w\n") << "1:x,y|1\r\n2 / 2:z|w";
    QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\",b\n") << "1:say \"hi\"|b";
    QTest::newRow("empty fields and trailing separator") << QByteArray(",,\n") << "1:||";
    QTest::newRow("text after a closing quote kept") << QByteArray("\"a\"b,c\n") << "1:ab|c";
    QTest::newRow("doubled quote ends a cell") << QByteArray("\"a\"\"\",\"b\"\"\"\"c\"\r\n") << "1:a\"|b\"\"c";
    QTest::newRow("quote closed at the very end") << QByteArray("x,\"y\"") << "1:x|y";
    QTest::newRow("quote left open runs to the end") << QByteArray("\"a,b\nc") << "1:a,b\nc";
    QTest::newRow("empty line is an empty record") << QByteArray("a\n\nb\n") << "1:a / 2: / 3:b";
}

void TestBatchRules::csvRecords()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QStringList records;
    const batch::CsvTable table = batch::ReadCsv(std::string_view(text.constData(), text.size()), ',');
    for (const batch::CsvRecord& record : table.records()) {
        QStringList cells;
        for (const std::string_view cell : record.cells) {
            cells << str(cell);
        }
        records << QString::number(record.row) + ":" + cells.join('|');
    }
    QCOMPARE(records.join(" / "), expected);
}

void TestBatchRules::encodingDetection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("forced");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8 without mark") << QByteArray("住所") << ""
                                        << "utf-8"
                                        << "住所";
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF住所") << ""
                                     << "utf-8"
                                     << "住所";
    QTest::newRow("code page 932") << QByteArray("\x8F\x5A\x8F\x8A") << ""
                                   << "cp932"
                                   << "住所";
    QTest::newRow("ASCII is UTF-8") << QByteArray("zip,tel") << ""
                                    << "utf-8"
                                    << "zip,tel";
    QTest::newRow("overlong form is not UTF-8: half-width kana") << QByteArray("\xC0\xAF") << ""
                                                                 << "cp932"
                                                                 << "ﾀｯ";
    QTest::newRow("forced cp932 over valid UTF-8") << QByteArray("\x8F\x5A") << "cp932"
                                                   << "cp932"
                                                   << "住";
    QTest::newRow("forced UTF-8 marks bad bytes") << QByteArray("a\xFF"
                                                                "b")
                                                  << "utf-8"
                                                  << "utf-8"
                                                  << "a\uFFFDb";
    QTest::newRow("one bad byte keeps a UTF-8 file UTF-8")
        << QByteArray("東京都千代田区丸の内一丁目 山田太郎様\xFF") << ""
        << "utf-8"
        << "東京都千代田区丸の内一丁目 山田太郎様\uFFFD";
    QTest::newRow("byte order mark before code page 932") << QByteArray("\xEF\xBB\xBF\x8F\x5A\x8F\x8A") << ""
                                                          << "cp932"
                                                          << "住所";
    QTest::newRow("unassigned code page 932 pair is marked") << QByteArray("\x8F\x5A\x85\x40\x8F\x8A") << ""
                                                             << "cp932"
                                                             << "住\uFFFD所";
    // Fewer undecodable bytes win; a tie goes to the mark, else to code page 932.
    QTest::newRow("as many faults either way, no mark: code page 932") << QByteArray("\xFF") << ""
                                                                       << "cp932"
                                                                       << "\uFFFD";
    QTest::newRow("as many faults either way, with a mark: UTF-8") << QByteArray("\xEF\xBB\xBF\xFF") << ""
                                                                   << "utf-8"
                                                                   << "\uFFFD";
    QTest::newRow("one UTF-8 fault more: code page 932") << QByteArray("\x8F\x5A\xFF") << ""
                                                         << "cp932"
                                                         << "住\uFFFD";
    QTest::newRow("one code page 932 fault more: UTF-8") << QByteArray("あ\xFF") << ""
                                                         << "utf-8"
                                                         << "あ\uFFFD";
}

void TestBatchRules::encodingDetection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, forced);
    QFETCH(QString, encoding);
    QFETCH(QString, text);
    const auto decoded = batch::Decode(std::string_view(bytes.constData(), bytes.size()),
                                       forced.isEmpty() ? std::nullopt : batch::ParseEncoding(std8(forced)));
    QCOMPARE(str(std::string(batch::EncodingName(decoded.encoding))), encoding);
    QCOMPARE(str(decoded.utf8), text);
}

void TestBatchRules::postalCodeRepair_data()
{
    QTest::addColumn<QString>("zip");
    QTest::addColumn<QString>("zip2");
    QTest::addColumn<QString>("expected"); // empty: not a postal code
    QTest::newRow("formed") << "123-4567"
                            << ""
                            << "123-4567";
    QTest::newRow("seven digits") << "1234567"
                                  << ""
                                  << "123-4567";
    QTest::newRow("split parts lost zeros") << "60"
                                            << "1"
                                            << "060-0001";
    QTest::newRow("number lost one zero") << "600001"
                                          << ""
                                          << "060-0001";
    QTest::newRow("number lost two zeros") << "10010"
                                           << ""
                                           << "001-0010";
    QTest::newRow("apostrophe") << "'0600001"
                                << ""
                                << "060-0001";
    QTest::newRow("full-width digits and minus") << "〒０６０－０００１"
                                                 << ""
                                                 << "060-0001";
    QTest::newRow("four digits") << "1234"
                                 << ""
                                 << "";
    QTest::newRow("eight digits") << "12345678"
                                  << ""
                                  << "";
    QTest::newRow("short hyphenated part") << "60-0001"
                                           << ""
                                           << "";
    QTest::newRow("letters") << "ABC-DEFG"
                             << ""
                             << "";
    QTest::newRow("split part too long") << "1234"
                                         << "567"
                                         << "";
}

void TestBatchRules::postalCodeRepair()
{
    QFETCH(QString, zip);
    QFETCH(QString, zip2);
    QFETCH(QString, expected);
    QCOMPARE(str(batch::RepairZip(std8(zip), std8(zip2)).value_or("")), expected);
}

void TestBatchRules::telephoneRepair_data()
{
    QTest::addColumn<QString>("tel");
    QTest::addColumn<QString>("expected");
    QTest::newRow("domestic stays") << "03-1234-5678"
                                    << "03-1234-5678";
    QTest::newRow("+81 mobile") << "+81 90-1234-5678"
                                << "090-1234-5678";
    QTest::newRow("+81 with hyphen") << "+81-3-1234-5678"
                                     << "03-1234-5678";
    QTest::newRow("+81 glued") << "+819012345678"
                               << "09012345678";
    QTest::newRow("+81 (0)") << "+81 (0)90-1234-5678"
                             << "090-1234-5678";
    QTest::newRow("full width") << "０９０－１２３４－５６７８"
                                << "090-1234-5678";
    QTest::newRow("apostrophe") << "'09012345678"
                                << "09012345678";
    QTest::newRow("number lost its zero") << "9012345678"
                                          << "09012345678";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBatchRules::telephoneRepair()
{
    QFETCH(QString, tel);
    QFETCH(QString, expected);
    QCOMPARE(str(batch::RepairTel(std8(tel))), expected);
}

void TestBatchRules::addressSplit_data()
{
    QTest::addColumn<QStringList>("parts"); // prefecture, city, street, building
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::newRow("fits on one line") << QStringList{"東京都", "千代田区", "丸の内1-2-3", ""}
                                      << "東京都千代田区丸の内1-2-3"
                                      << "";
    QTest::newRow("building on the second line")
        << QStringList{"東京都", "千代田区", "丸の内1-2-3", "丸ビル5F"} << "東京都千代田区丸の内1-2-3"
        << "丸ビル5F";
    QTest::newRow("long line split after the street number")
        << QStringList{"東京都", "千代田区", "丸の内１丁目２番３号丸の内ビルディング南館", ""}
        << "東京都千代田区丸の内１丁目２番３号"
        << "丸の内ビルディング南館";
    QTest::newRow("street number beyond 40 bytes: after the city")
        << QStringList{"北海道", "札幌市中央区", "北一条西あいうえおかきくけこさしすせそ1-2", ""}
        << "北海道札幌市中央区"
        << "北一条西あいうえおかきくけこさしすせそ1-2";
    QTest::newRow("no number: at a blank")
        << QStringList{"", "", "あいうえおかきくけこ さしすせそたちつてとなにぬねの", ""} << "あいうえおかきくけこ"
        << "さしすせそたちつてとなにぬねの";
    QTest::newRow("nothing natural: at 40 bytes")
        << QStringList{"", "", "あいうえおかきくけこさしすせそたちつてとなにぬねの", ""}
        << "あいうえおかきくけこさしすせそたちつてと"
        << "なにぬねの";
    QTest::newRow("rest and building share the second line")
        << QStringList{"東京都", "千代田区", "丸の内1-2-3東京ビルディング長い名前の建物", "101"}
        << "東京都千代田区丸の内1-2-3"
        << "東京ビルディング長い名前の建物　101";
    QTest::newRow("prefecture and city not repeated")
        << QStringList{"東京都", "千代田区", "東京都千代田区丸の内1-2-3", ""} << "東京都千代田区丸の内1-2-3"
        << "";
    QTest::newRow("place name with a kanji numeral is no street number")
        << QStringList{"東京都", "千代田区", "九段北あいうえおかきくけこさしすせそ", ""} << "東京都千代田区"
        << "九段北あいうえおかきくけこさしすせそ";
}

void TestBatchRules::addressSplit()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    const batch::AddressLines lines =
        batch::SplitAddress({std8(parts[0]), std8(parts[1]), std8(parts[2]), std8(parts[3])});
    QCOMPARE(str(lines.line1), line1);
    QCOMPARE(str(lines.line2), line2);
}

void TestBatchRules::goodsLines_data()
{
    QTest::addColumn<QStringList>("items"); // name:quantity
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one item") << QStringList{"茶:1"} << QStringList{"茶", "", ""};
    QTest::newRow("quantities") << QStringList{"茶:2", "菓子:１０", "皿:x"} << QStringList{"茶 ×2", "菓子 ×10", "皿"};
    QTest::newRow("fourth and fifth folded")
        << QStringList{"a:1", "b:1", "c:1", "d:1", "e:1"} << QStringList{"a", "b", "c　他2点"};
    QTest::newRow("long name cut to the line")
        << QStringList{"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも:1"}
        << QStringList{"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ", "", ""};
    QTest::newRow("folded line keeps its count whole")
        << QStringList{"a:1", "b:1", "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ:1", "d:1"}
        << QStringList{"a", "b", "あいうえおかきくけこさしすせそたちつてとなにぬねのは　他1点"};
}

void TestBatchRules::goodsLines()
{
    QFETCH(QStringList, items);
    QFETCH(QStringList, lines);
    std::deque<std::string> texts; // the items view them
    std::vector<batch::OrderItem> orderItems;
    for (const QString& item : items) {
        orderItems.push_back(
            {texts.emplace_back(std8(item.section(':', 0, 0))), texts.emplace_back(std8(item.section(':', 1)))});
    }
    const auto actual = batch::GoodsLines(orderItems);
    QCOMPARE((QStringList{str(actual[0]), str(actual[1]), str(actual[2])}), lines);
}

void TestBatchRules::slipSelection_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("only");
    QTest::addColumn<int>("from");       // 0: not given
    QTest::addColumn<QString>("chosen"); // numbers from 1, or "error"
    QTest::newRow("all") << 4 << "" << 0 << "1-4";
    QTest::newRow("list and range") << 6 << "1,3-5" << 0 << "1,3-5";
    QTest::newRow("from N") << 6 << "" << 4 << "4-6";
    QTest::newRow("list from N") << 6 << "1,3-5" << 4 << "4-5";
    QTest::newRow("repeats once") << 6 << "2,2,1-2" << 0 << "1-2";
    QTest::newRow("beyond the batch") << 3 << "4" << 0 << "error";
    QTest::newRow("from beyond the batch") << 3 << "" << 4 << "error";
    QTest::newRow("zero") << 3 << "0" << 0 << "error";
    QTest::newRow("backwards range") << 5 << "4-2" << 0 << "error";
    QTest::newRow("not a number") << 5 << "a" << 0 << "error";
    QTest::newRow("empty batch") << 0 << "" << 0 << "none";
}

void TestBatchRules::slipSelection()
{
    QFETCH(int, count);
    QFETCH(QString, only);
    QFETCH(int, from);
    QFETCH(QString, chosen);
    QString actual;
    try {
        actual = str(batch::SlipNumbers(batch::ChooseSlips(
            static_cast<std::size_t>(count), std8(only), from == 0 ? std::nullopt : std::optional<std::size_t>(from))));
    } catch (const batch::BatchError&) {
        actual = "error";
    }
    QCOMPARE(actual, chosen);
}

void TestBatchRules::blockedSlipsAreHeldBack()
{
    std::vector<batch::BatchSlip> slips(4);
    slips[1].blockedUnlessForced = "読めない文字があります";
    slips[3].blockedUnlessForced = "読めない文字があります";
    std::vector<std::size_t> chosen{0, 1, 2};
    QCOMPARE(batch::HoldBackBlocked(slips, chosen), std::vector<std::size_t>{1});
    QCOMPARE(chosen, (std::vector<std::size_t>{0, 2}));
}

void TestBatchRules::unprintableCharactersAreMarked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<bool>("flagged");
    QTest::newRow("code page 932 name") << "髙橋　花子"
                                        << "髙橋　花子" << false;
    QTest::newRow("character outside code page 932") << "𠮷田　太郎"
                                                     << "〓田　太郎" << true;
    QTest::newRow("emoji") << "花子🌸"
                           << "花子〓" << true;
}

void TestBatchRules::unprintableCharactersAreMarked()
{
    QFETCH(QString, name);
    QFETCH(QString, printed);
    QFETCH(bool, flagged);
    const std::string utf8Name = std8(name);
    batch::OrderGroup group;
    group.destination[static_cast<std::size_t>(batch::Field::Name)] = utf8Name;
    group.destination[static_cast<std::size_t>(batch::Field::Zip)] = "100-0005";
    const batch::BatchSlip slip = batch::BuildSlip(group);
    QCOMPARE(str(slip.recipient.name), printed);
    const bool warned = std::find(slip.warnings.begin(), slip.warnings.end(),
                                  "印字できない文字を〓にしました: おなまえ") != slip.warnings.end();
    QCOMPARE(warned, flagged);
}

QTEST_APPLESS_MAIN(TestBatchRules)
#include "tst_batchrules.moc"
