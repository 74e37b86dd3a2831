#include "tests/support/Cp932Text.h"
#include "textimport/LineText.h"
#include "textimport/Transfer.h"

#include <QTest>

using textimport::RunTransfer;
using textimport::TransferStatus;

namespace {

std::string memoText(const QStringList& lines)
{
    return sj(lines.join('\n'));
}

} // namespace

class TestTransfer : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void memoAfterEachStage();
    void secondRunGivesTheSameFields();
    void refused_data();
    void refused();
    void longFirstAddressWarns();
};

void TestTransfer::fields_data()
{
    QTest::addColumn<QStringList>("pasted");
    QTest::addColumn<QStringList>("fields"); // zip, address 1, address 2, name, telephone

    QTest::newRow("plain block") << QStringList{"〒123-4567", "東京都", "千代田区丸の内1-2-3", "山田太郎様",
                                                "TEL 03-1234-5678"}
                                 << QStringList{"123-4567", "東京都千代田区丸の内1-2-3", "", "山田太郎",
                                                "03-1234-5678"};
    QTest::newRow("order mail with glued postal code")
        << QStringList{"お届け先", "〒１２３－４５６７ 東京都中央区銀座９－９－９", "第一ビル３階", "山田 花子 様",
                       "ＴＥＬ：０３－１２３４－５６７８"}
        << QStringList{"123-4567", "東京都中央区銀座9-9-9", "", "第一ビル３階", "03-1234-5678"};
    QTest::newRow("seven usable lines") << QStringList{"〒123-4567",           "東京都",   "千代田区丸の内1-2-3",
                                                       "丸の内パークビル10階", "山田太郎", "TEL 03-1234-5678",
                                                       "090-1111-2222"}
                                        << QStringList{"123-4567", "東京都千代田区丸の内1-2-3", "丸の内パークビル10階",
                                                       "山田太郎", "03-1234-5678"};
    QTest::newRow("second postal code is used nowhere")
        << QStringList{"〒123-4567", "〒765-4321", "東京都千代田区1-2-3", "山田太郎"}
        << QStringList{"123-4567", "東京都千代田区1-2-3", "", "山田太郎", ""};
    QTest::newRow("seven digits become an address")
        << QStringList{"1234567", "山田太郎"} << QStringList{"", "1234567", "", "山田太郎", ""};
    QTest::newRow("solid telephone becomes an address")
        << QStringList{"0312345678", "山田太郎"} << QStringList{"", "0312345678", "", "山田太郎", ""};
    QTest::newRow("short building line takes the name") << QStringList{"東京都千代田区1-2-3", "山下ビル2F", "山田太郎"}
                                                        << QStringList{"", "東京都千代田区1-2-3", "", "山下ビル2F", ""};
    QTest::newRow("prefecture joins the first address line")
        << QStringList{"大阪府", "大阪市北区梅田1-1", "山田太郎"}
        << QStringList{"", "大阪府大阪市北区梅田1-1", "", "山田太郎", ""};
    QTest::newRow("third address line is dropped")
        << QStringList{"東京都千代田区1-2-3", "丸の内パークビル10階", "第二別館ビル3階奥", "山田太郎"}
        << QStringList{"", "東京都千代田区1-2-3", "丸の内パークビル10階", "山田太郎", ""};
    QTest::newRow("company name with an address character is an address")
        << QStringList{"株式会社中村商店", "東京都千代田区1-2-3"}
        << QStringList{"", "株式会社中村商店", "東京都千代田区1-2-3", "", ""};
    QTest::newRow("full-width postal code and telephone end in half width")
        << QStringList{"１２３－４５６７", "山田", "０９０－１２３４－５６７８"}
        << QStringList{"123-4567", "", "", "山田", "090-1234-5678"};
}

void TestTransfer::fields()
{
    QFETCH(QStringList, pasted);
    QFETCH(QStringList, fields);

    const textimport::RecipientFields before{sj("999-9999"), sj("前の住所"), sj("前"), sj("前の名前"), sj("0")};
    const auto result = RunTransfer(memoText(pasted), before);
    QCOMPARE(result.status, TransferStatus::Transferred);
    QVERIFY(result.message.empty());
    const auto& f = result.fields;
    QCOMPARE((QStringList{fromSj(f.zip), fromSj(f.address1), fromSj(f.address2), fromSj(f.name), fromSj(f.tel)}),
             fields);
}

void TestTransfer::memoAfterEachStage()
{
    const auto result = RunTransfer(memoText({"お届け先", "〒１２３－４５６７ 東京都中央区銀座９－９－９",
                                              "第一ビル３階", "山田 花子 様", "ＴＥＬ：０３－１２３４－５６７８"}));
    QCOMPARE(fromSjLines(result.cleaned), (QStringList{"", "123-4567 東京都中央区銀座9-9-9", "第一ビル３階",
                                                       "山田 花子", "０３－１２３４－５６７８", "", ""}));
    QCOMPARE(fromSjLines(result.split), (QStringList{"", "123-4567", "第一ビル３階", "山田 花子",
                                                     "０３－１２３４－５６７８", " 東京都中央区銀座9-9-9", ""}));
    QCOMPARE(result.memo(), result.split);
}

void TestTransfer::secondRunGivesTheSameFields()
{
    const auto first = RunTransfer(
        memoText({"〒１２３－４５６７ 東京都中央区銀座９－９－９", "山田 花子 様", "電話：０３－１２３４－５６７８"}));
    const auto second = RunTransfer(textimport::JoinLines(first.memo()), first.fields);
    QCOMPARE(second.status, TransferStatus::Transferred);
    QVERIFY(second.fields == first.fields);
}

void TestTransfer::refused_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("memoLines");

    const int noText = static_cast<int>(TransferStatus::NoText);
    const int tooMany = static_cast<int>(TransferStatus::TooManyLines);
    QTest::newRow("empty memo") << "" << noText << "転送テキストがありません" << 0;
    QTest::newRow("blank lines only") << "\n  \n\t\n" << noText << "転送テキストがありません" << 0;
    QTest::newRow("mail lines only") << "taro@example.org\nwww.example.co.jp" << noText << "転送テキストがありません"
                                     << 0;
    QTest::newRow("eight lines") << "1\n2\n3\n4\n5\n6\n7\n8" << tooMany << " ７行以内に収めてください  現在 8行です"
                                 << 8;
    QTest::newRow("full-width blank lines count")
        << "　\n　\n　\n　\n　\n　\n　\n　\n　" << tooMany << " ７行以内に収めてください  現在 9行です" << 9;
    QTest::newRow("seventeen lines count as sixteen") << "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nm\nn\no\np\nq" << tooMany
                                                      << " ７行以内に収めてください  現在 16行です" << 16;
}

void TestTransfer::refused()
{
    QFETCH(QString, pasted);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(int, memoLines);

    const textimport::RecipientFields before{sj("123-4567"), sj("東京都千代田区丸の内一丁目一番一号丸の内ビル"), "",
                                             sj("山田"), ""};
    const auto result = RunTransfer(sj(pasted), before);
    QCOMPARE(static_cast<int>(result.status), status);
    QCOMPARE(QString::fromStdString(result.message), message);
    QVERIFY(result.fields == before);
    QCOMPARE(static_cast<int>(result.memo().size()), memoLines);
    QVERIFY(result.cleaned.empty() && result.split.empty());
    // The warning is still re-evaluated on the first address line the user kept.
    QVERIFY(!result.warning.empty());
}

void TestTransfer::longFirstAddressWarns()
{
    const auto fits = RunTransfer(memoText({"東京都千代田区丸の内一丁目一番一号", "山田"}));
    QVERIFY(fits.warning.empty());
    const auto tooLong = RunTransfer(memoText({"北海道", "札幌市中央区北一条西二丁目一番地一号札幌ビル", "山田"}));
    QCOMPARE(QString::fromStdString(tooLong.warning),
             QString("警告:おところ①の文字数が多すぎます。　おところ②へ分割してください"));
}

QTEST_APPLESS_MAIN(TestTransfer)
#include "tst_transfer.moc"
