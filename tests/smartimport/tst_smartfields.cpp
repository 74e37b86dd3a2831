// The pieces the smart transfer builds the fields from, and its contract with the window.
#include "platform/Cp932.h"
#include "smartimport/Address.h"
#include "smartimport/Labels.h"
#include "smartimport/MailLines.h"
#include "smartimport/Names.h"
#include "smartimport/Numbers.h"
#include "smartimport/Places.h"
#include "smartimport/RomajiAddress.h"
#include "smartimport/SmartTransfer.h"
#include "smartimport/WideText.h"

#include <QTest>

using namespace smartimport;

namespace {

Text wide(const QString& text)
{
    return widthfold::foldWidth(utf8::decode(text.toStdString()));
}

QString qt(const Text& text)
{
    return QString::fromStdString(utf8::encode(text));
}

QString sjisToQt(const std::string& bytes)
{
    return QString::fromStdString(cp932::ToUtf8(bytes));
}

} // namespace

class TestSmartFields : public QObject
{
    Q_OBJECT

private slots:
    void telephone_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // empty: no telephone number

        QTest::newRow("hyphens") << "03-1234-5678"
                                 << "03-1234-5678";
        QTest::newRow("solid stays solid") << "0312345678"
                                           << "0312345678";
        QTest::newRow("brackets") << "087(832)0000"
                                  << "087-832-0000";
        QTest::newRow("area in brackets") << "(099)255-1111"
                                          << "099-255-1111";
        QTest::newRow("blanks") << "080 1122 3344"
                                << "080-1122-3344";
        QTest::newRow("full width") << "０９０－１２３４－５６７８"
                                    << "090-1234-5678";
        QTest::newRow("long vowel marks as hyphens") << "011ー561ー0000"
                                                     << "011-561-0000";
        QTest::newRow("+81 grouped") << "+81 75 211 4455"
                                     << "075-211-4455";
        QTest::newRow("+81 with trunk zero") << "+81 (0)52-586-7111"
                                             << "052-586-7111";
        QTest::newRow("+81 solid mobile") << "+819011112222"
                                          << "090-1111-2222";
        QTest::newRow("+81 solid Tokyo") << "+81312345678"
                                         << "03-1234-5678";
        QTest::newRow("four groups regrouped") << "+81 7 75 211 4455"
                                               << "077-5211-4455";
        QTest::newRow("extension in brackets") << "03-5400-1234（内線215）"
                                               << "03-5400-1234";
        QTest::newRow("extension word") << "058-262-1111 内線 305"
                                        << "058-262-1111";
        QTest::newRow("ext.") << "03-3211-0000 ext.2031"
                              << "03-3211-0000";
        QTest::newRow("dots") << "0852.22.0000"
                              << "0852-22-0000";
        QTest::newRow("too short") << "03-1234-567"
                                   << "";
        QTest::newRow("too long") << "090-1234-56789"
                                  << "";
        QTest::newRow("no trunk zero") << "2026-12-01 10"
                                       << "";
        QTest::newRow("order number") << "250-1234567-7654321"
                                      << "";
        QTest::newRow("first of two numbers") << "042-300-0000 090-4444-5555"
                                              << "042-300-0000";
        QTest::newRow("first of two numbers after a comma") << "03-1234-5678、090-1111-2222"
                                                            << "03-1234-5678";
        QTest::newRow("text after it") << "03-1234-5678 山田"
                                       << "";
    }
    void telephone()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const auto found = findTelephone(wide(line), false);
        QCOMPARE(found ? qt(found->value) : QString(), expected);
    }

    void postalCode_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("labelled");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("rest"); // the line without the code

        QTest::newRow("mark and hyphen") << "〒150-0001" << false << "150-0001"
                                         << "";
        QTest::newRow("mark, blank, full width") << "〒 １５０－０００１" << false << "150-0001"
                                                 << "";
        QTest::newRow("glued to the address") << "〒9800811宮城県仙台市" << false << "980-0811"
                                              << "宮城県仙台市";
        QTest::newRow("hyphenated before the prefecture") << "530-0001大阪府大阪市" << false << "530-0001"
                                                          << "大阪府大阪市";
        QTest::newRow("blanks around the hyphen of a marked code") << "〒 064 - 0804 北海道" << false << "064-0804"
                                                                   << " 北海道";
        QTest::newRow("seven digits alone") << "1130033" << false << "113-0033"
                                            << "";
        QTest::newRow("seven digits after a label") << "5400008 大阪府" << true << "540-0008"
                                                    << " 大阪府";
        QTest::newRow("seven digits in text") << "部屋 1234567 号" << false << ""
                                              << "";
        QTest::newRow("word of its own") << "小金井市 東京都 184-0012" << false << "184-0012"
                                         << "小金井市 東京都 ";
        QTest::newRow("inside a telephone number") << "045-222-3333" << false << ""
                                                   << "";
        QTest::newRow("after a bracket") << "(099)255-1111" << false << ""
                                         << "";
        QTest::newRow("glued to words") << "123-4567ではありません" << false << ""
                                        << "";
    }
    void postalCode()
    {
        QFETCH(QString, line);
        QFETCH(bool, labelled);
        QFETCH(QString, expected);
        QFETCH(QString, rest);
        const Text text = wide(line);
        const auto found = findPostalCode(text, labelled);
        QCOMPARE(found ? qt(found->value) : QString(), expected);
        if (found) {
            QCOMPARE(qt(Text(text).erase(found->begin, found->end - found->begin)), rest);
        }
    }

    void name_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("expected");

        QTest::newRow("様 after a blank") << "山田 太郎 様"
                                          << "山田 太郎";
        QTest::newRow("様 glued") << "山田太郎様"
                                  << "山田太郎";
        QTest::newRow("様 starting the family name") << "様似 太郎様"
                                                     << "様似 太郎";
        QTest::newRow("様 alone is a name") << "様"
                                            << "様";
        QTest::newRow("reading in brackets") << "佐藤 一郎 (サトウ イチロウ) 様"
                                             << "佐藤 一郎";
        QTest::newRow("romaji reading in brackets") << "太田 健二 (Kenji Ota) 様"
                                                    << "太田 健二";
        QTest::newRow("Latin name keeps its brackets") << "Ota Trading (Japan)"
                                                       << "Ota Trading (Japan)";
        QTest::newRow("御中") << "株式会社なにわ物産 経理部 御中"
                              << "株式会社なにわ物産 経理部";
        QTest::newRow("殿 ending, 殿 starting") << "殿村 一雄 殿"
                                                << "殿村 一雄";
        QTest::newRow("先生") << "林 正人 先生"
                              << "林 正人";
        QTest::newRow("さま") << "旭 奈々 さま"
                              << "旭 奈々";
        QTest::newRow("company bracket kept") << "(株)千葉ロジ 山口 様"
                                              << "(株)千葉ロジ 山口";
        QTest::newRow("two addressees, honorific each") << "鈴木一郎様　陽子様"
                                                        << "鈴木一郎 陽子";
        QTest::newRow("two addressees, honorifics apart") << "鈴木 一郎 様 陽子 様"
                                                          << "鈴木 一郎 陽子";
        QTest::newRow("two addressees keep 様 inside a name") << "様似 一郎様 花子さま"
                                                              << "様似 一郎 花子";
    }
    void name()
    {
        QFETCH(QString, written);
        QFETCH(QString, expected);
        QCOMPARE(qt(cleanName(wide(written))), expected);
    }

    void selfIntroduction_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("surname");
        QTest::newRow("です") << "原田です"
                              << "原田";
        QTest::newRow("と申します after a place") << "浜松の鈴木と申します"
                                                  << "鈴木";
        QTest::newRow("not a name") << "以上です"
                                    << "";
        QTest::newRow("kana is talk") << "よろしくです"
                                      << "";
        QTest::newRow("です after more words") << "本日発送分の注文確認です"
                                               << "";
        QTest::newRow("four kanji") << "長谷川原です"
                                    << "";
    }
    void selfIntroduction()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, surname);
        QCOMPARE(qt(selfIntroducedName(wide(sentence))), surname);
    }

    void address_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("building");

        QTest::newRow("building after a blank") << "東京都港区六本木6-10-1 六本木ヒルズ森タワー 25F"
                                                << "東京都港区六本木6-10-1"
                                                << "六本木ヒルズ森タワー 25F";
        QTest::newRow("building glued") << "大阪府大阪市北区梅田2-4-9梅田ビル12F"
                                        << "大阪府大阪市北区梅田2-4-9"
                                        << "梅田ビル12F";
        QTest::newRow("numbered town name") << "宮城県仙台市青葉区一番町4-2-8"
                                            << "宮城県仙台市青葉区一番町4-2-8"
                                            << "";
        QTest::newRow("条 is part of the place") << "北海道札幌市中央区北2条西4丁目1番地 JPビル"
                                                 << "北海道札幌市中央区北2条西4丁目1番地"
                                                 << "JPビル";
        QTest::newRow("kanji numerals") << "東京都千代田区一番町二十三番地三 一番町ハウス"
                                        << "東京都千代田区一番町二十三番地三"
                                        << "一番町ハウス";
        QTest::newRow("番地の") << "長野県辰野町大字辰野1234番地の5"
                                << "長野県辰野町大字辰野1234番地の5"
                                << "";
        QTest::newRow("room as fourth group stays") << "東京都新宿区高田馬場1-26-5-702"
                                                    << "東京都新宿区高田馬場1-26-5-702"
                                                    << "";
        QTest::newRow("号室 goes with its number") << "東京都新宿区高田馬場1-26-5-702号室"
                                                   << "東京都新宿区高田馬場1-26-5"
                                                   << "702号室";
        QTest::newRow("no street number") << "京都府京都市上京区薮ノ内町"
                                          << "京都府京都市上京区薮ノ内町"
                                          << "";
        QTest::newRow("care-of after the number") << "埼玉県さいたま市浦和区高砂3-15-1 田中様方"
                                                  << "埼玉県さいたま市浦和区高砂3-15-1"
                                                  << "田中様方";
    }
    void address()
    {
        QFETCH(QString, written);
        QFETCH(QString, street);
        QFETCH(QString, building);
        const AddressParts parts = splitAddress(normaliseDigitDashes(wide(written)));
        QCOMPARE(qt(parts.street), street);
        QCOMPARE(qt(parts.building), building);
    }

    void directorySuppliesPrefecture_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");

        QTest::newRow("city written") << "静岡市葵区追手町9-6"
                                      << "静岡県静岡市葵区追手町9-6";
        QTest::newRow("bare town") << "追手町9-6"
                                   << "静岡県静岡市葵区追手町9-6";
        QTest::newRow("prefecture written") << "静岡県静岡市葵区追手町9-6"
                                            << "静岡県静岡市葵区追手町9-6";
    }
    void directorySuppliesPrefecture()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QStringList asked;
        const PostalLookup directory = [&asked](std::string_view digits) {
            asked << QString::fromStdString(std::string(digits));
            return std::vector<PostalPlace>{{"静岡県", "静岡市葵区", "追手町"}};
        };
        const auto fields = readRecipient(("〒420-0853\n" + address + "\n山本 和也").toStdString(), directory);
        QCOMPARE(QString::fromStdString(fields.address1), expected);
        QCOMPARE(asked.value(0), QStringLiteral("4200853"));
    }

    void knownCodeWinsOverFirst()
    {
        const PostalLookup directory = [](std::string_view digits) {
            return digits == "4200853" ? std::vector<PostalPlace>{{"静岡県", "静岡市葵区", "追手町"}}
                                       : std::vector<PostalPlace>{};
        };
        const auto fields = readRecipient("〒999-9999\n〒420-0853\n静岡市葵区追手町9-6", directory);
        QCOMPARE(QString::fromStdString(fields.zip), QStringLiteral("420-0853"));
    }

    void careOfAndNameOnOneLine()
    {
        const auto fields = readRecipient("[お届け先]\n山田太郎様方 鈴木花子様\n〒150-0001 東京都渋谷区神宮前1-2-3");
        QCOMPARE(QString::fromStdString(fields.address2), QStringLiteral("山田太郎様方"));
        QCOMPARE(QString::fromStdString(fields.name), QStringLiteral("鈴木花子"));
    }

    void labelledTelephoneWithBracketedAreaCode()
    {
        const auto fields =
            readRecipient("〒150-0001\n東京都渋谷区神宮前1-2-3\n山田 太郎 様\nＴＥＬ　（０３）１２３４－５６７８");
        QCOMPARE(QString::fromStdString(fields.tel), QStringLiteral("03-1234-5678"));
    }

    void emptyMemoIsRefusedAndKeepsTheFields()
    {
        const textimport::RecipientFields before{"1", "2", "3", "4", "5"};
        const SmartResult result = runSmartTransfer(" \r\n\x81\x40\n", before);
        QCOMPARE(result.status, SmartStatus::NoText);
        QCOMPARE(QString::fromStdString(result.message), QStringLiteral("転送テキストがありません"));
        QVERIFY(result.fields == before);
    }

    void transferWorksOnCodePage932()
    {
        std::string mail;
        for (int i = 0; i < 20; ++i) {
            mail += cp932::FromUtf8("いつもありがとうございます。\r\n");
        }
        mail += cp932::FromUtf8("  お届け先  \r\n\r\n〒１００－０００５ 東京都千代田区丸の内一丁目９番１号 "
                                "グラントウキョウノースタワー　４０階\r\nﾔﾏﾀﾞ ﾀﾛｳ 様\r\n");
        const SmartResult result = runSmartTransfer(mail, {"x", "x", "x", "x", "x"});
        QCOMPARE(result.status, SmartStatus::Transferred);
        QCOMPARE(result.memo.size(), std::size_t(23));
        QCOMPARE(sjisToQt(result.memo[20]), QStringLiteral("お届け先"));
        QCOMPARE(sjisToQt(result.fields.zip), QStringLiteral("100-0005"));
        QCOMPARE(sjisToQt(result.fields.address1), QStringLiteral("東京都千代田区丸の内一丁目9番1号"));
        QCOMPARE(sjisToQt(result.fields.address2), QStringLiteral("グラントウキョウノースタワー 40階"));
        QCOMPARE(sjisToQt(result.fields.name), QStringLiteral("ヤマダ タロウ"));
        QCOMPARE(sjisToQt(result.fields.tel), QString());
        QVERIFY(result.warning.empty());
    }

    void mailLines_data()
    {
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("row without header: a line per cell")
            << "石田 翔\t530-0001\t大阪府大阪市北区梅田1-1-3\t\t06-6345-0000"
            << QStringList{"石田 翔", "530-0001", "大阪府大阪市北区梅田1-1-3", "06-6345-0000"};
        QTest::newRow("header row labels the cells below")
            << "氏名\t郵便番号\t住所\n松本 さくら\t420-0853\t静岡県静岡市葵区追手町9-6"
            << QStringList{"氏名: 松本 さくら", "郵便番号: 420-0853", "住所: 静岡県静岡市葵区追手町9-6"};
        QTest::newRow("row of another width is not labelled")
            << "氏名\t住所\n松本\t420-0853\t静岡県" << QStringList{"松本", "420-0853", "静岡県"};
        QTest::newRow("lines without tabs are only normalised") << "　ＡＢＣ 1\t\n" << QStringList{"ABC 1"};
        QTest::newRow("order taken down on one line: a line per label")
            << "送り先 愛媛県松山市一番町4-2-1 郵便番号790-0001 村上 恵子様 電話089-941-0000"
            << QStringList{"送り先 愛媛県松山市一番町4-2-1", "郵便番号790-0001 村上 恵子様", "電話089-941-0000"};
        QTest::newRow("said in one run: commas, and の before the name")
            << "お届け先は〒500-8856岐阜県岐阜市橋本町2-8の長尾 聡様、お電話は058-262-0000"
            << QStringList{"お届け先は〒500-8856岐阜県岐阜市橋本町2-8", "長尾 聡様", "お電話は058-262-0000"};
        QTest::newRow("dictated: labels said with は cut the run, talk after the number dropped")
            << "もしもし岡山の藤井と申します住所は岡山県岡山市北区駅元町1番5号で郵便番号は700-0024です名前は藤井 "
               "里奈電話番号は086-000-1111ですお願いします"
            << QStringList{"もしもし岡山の藤井と申します", "住所は岡山県岡山市北区駅元町1番5号", "郵便番号は700-0024",
                           "名前は藤井 里奈", "電話番号は086-000-1111"};
        QTest::newRow("typed with blanks: heading and goods dropped")
            << "電話注文 水戸市宮町1-2-3 宮町ハイツ101 〒310-0015 岡本 聡 様 029-000-2222 納豆 4個"
            << QStringList{"水戸市宮町1-2-3 宮町ハイツ101", "〒310-0015", "岡本 聡 様", "029-000-2222"};
        QTest::newRow("typed with blanks but two postal codes stays whole")
            << "水戸市宮町1-2-3 310-0015 310-0016 岡本 029-000-2222"
            << QStringList{"水戸市宮町1-2-3 310-0015 310-0016 岡本 029-000-2222"};
        QTest::newRow("labels with a colon after full-width blanks")
            << "〒790-0001 愛媛県松山市一番町4-2-1　建物名など：一番町ビル 3F　氏名：河野 守　TEL：089-000-3333"
            << QStringList{"〒790-0001 愛媛県松山市一番町4-2-1", "建物名など:一番町ビル 3F", "氏名:河野 守",
                           "TEL:089-000-3333"};
        QTest::newRow("indented under a labelled address: its building")
            << "住所　茨城県水戸市宮町1-2-3\n　　　宮町ガーデン201\n　　　029-000-2222"
            << QStringList{"住所 茨城県水戸市宮町1-2-3", "建物名: 宮町ガーデン201", "029-000-2222"};
        QTest::newRow("indented under a postal code alone: not a building")
            << "住所　〒310-0015\n　　　茨城県水戸市宮町1-2-3"
            << QStringList{"住所 〒310-0015", "茨城県水戸市宮町1-2-3"};
        QTest::newRow("row: goods and quantity after address and telephone dropped")
            << "6/1\t岡本 聡\t茨城県水戸市宮町1-2-3 宮町ハイツ 1208\t029-000-2222\t納豆\t2"
            << QStringList{"6/1", "岡本 聡", "茨城県水戸市宮町1-2-3 宮町ハイツ 1208", "029-000-2222"};
        QTest::newRow("one labelled part stays whole")
            << "〒790-0001 愛媛県松山市一番町4-2-1 ハイツ一番町 の101 村上 恵子様"
            << QStringList{"〒790-0001 愛媛県松山市一番町4-2-1 ハイツ一番町 の101 村上 恵子様"};
    }
    void mailLines()
    {
        QFETCH(QString, mail);
        QFETCH(QStringList, lines);
        QStringList actual;
        for (const Text& line : smartimport::mailLines(mail.toStdString())) {
            actual.append(qt(line));
        }
        QCOMPARE(actual, lines);
    }

    void label_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");

        const auto none = int(Section::None);
        const auto recipient = int(Section::Recipient);
        const auto unknown = int(Field::Unknown);
        QTest::newRow("heading closing a line") << "結婚祝いのお届け先：" << recipient << unknown << "";
        QTest::newRow("heading with は closing prose")
            << "お世話になります。注文品の送り先は" << recipient << unknown << "";
        QTest::newRow("heading with は and a value")
            << "送り先は〒790-0001" << recipient << int(Field::PostalCode) << "790-0001";
        QTest::newRow("telephone said with は")
            << "お電話は090-1234-5678" << none << int(Field::Telephone) << "090-1234-5678";
        QTest::newRow("billing and ship-to joined") << "【ご請求先・お届け先】" << recipient << unknown << "";
        QTest::newRow("ship-to and billing joined") << "【お届け先・ご請求先】" << recipient << unknown << "";
        QTest::newRow("two orderer headings joined") << "■ご注文者・ご請求先" << int(Section::Orderer) << unknown << "";
        QTest::newRow("word starting with a label") << "電話注文メモ" << none << unknown << "電話注文メモ";
        QTest::newRow("heading inside a sentence")
            << "送り先を変えたいです" << none << unknown << "送り先を変えたいです";
        QTest::newRow("Western first name") << "First name: Haruka" << none << int(Field::GivenName) << "Haruka";
        QTest::newRow("Western last name") << "Last name: Ishikawa" << none << int(Field::FamilyName) << "Ishikawa";
        QTest::newRow("name said with は") << "名前は佐藤 恵子" << none << int(Field::Name) << "佐藤 恵子";
        QTest::newRow("clinic") << "医療機関名:みなと眼科" << none << int(Field::Company) << "みなと眼科";
        QTest::newRow("school class") << "学年・組:3年1組" << none << int(Field::Department) << "3年1組";
        QTest::newRow("person in charge") << "ご担当者名:林 様" << none << int(Field::Name) << "林 様";
        QTest::newRow("building label with など") << "建物名など:港ビル" << none << int(Field::Building) << "港ビル";
        QTest::newRow("apartment label with its commas")
            << "Apartment, suite, etc.: Room 5" << none << int(Field::Building) << "Room 5";
    }
    void label()
    {
        QFETCH(QString, line);
        const Text text = wide(line);
        const Label label = readLabel(text);
        QTEST(int(label.section), "section");
        QTEST(int(label.field), "field");
        QTEST(qt(Text(label.value)), "value");
    }

    void holdPlace_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("place");
        QTest::newRow("carrier and depot after a comma")
            << "旅行中のため、ヤマト運輸 札幌大通センター止めでお願いします"
            << "ヤマト運輸 札幌大通センター止め";
        QTest::newRow("named post office") << "博多郵便局留めでお願いできますか"
                                           << "博多郵便局留め";
        QTest::newRow("no office named") << "郵便局留めでお願いします"
                                         << "";
        QTest::newRow("talk before the depot") << "日中不在のため営業所止めにしてください"
                                               << "";
        QTest::newRow("no hold at all") << "よろしくお願いします"
                                        << "";
    }
    void holdPlace()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, place);
        const Text text = wide(sentence);
        QCOMPARE(qt(Text(holdPlaceIn(text))), place);
    }

    void romajiAddress_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("known"); // the postal code names 東京都千代田区丸の内
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("building");
        QTest::newRow("street number first")
            << "2-4-1 Marunouchi, Chiyoda-ku, Tokyo" << true << "東京都千代田区丸の内2-4-1"
            << "";
        QTest::newRow("chome written out")
            << "Marunouchi 2-chome 4-1, Chiyoda-ku Tokyo" << true << "東京都千代田区丸の内2-4-1"
            << "";
        QTest::newRow("building as written")
            << "Marunouchi Bldg 5F, 2-4-1 Marunouchi, Chiyoda-ku, Tokyo" << true << "東京都千代田区丸の内2-4-1"
            << "Marunouchi Bldg 5F";
        QTest::newRow("unknown code keeps the romaji")
            << "2-4-1 Marunouchi, Chiyoda-ku, Tokyo" << false << "2-4-1 Marunouchi, Chiyoda-ku, Tokyo"
            << "";
    }
    void romajiAddress()
    {
        QFETCH(QString, written);
        QFETCH(bool, known);
        QFETCH(QString, street);
        QFETCH(QString, building);
        std::vector<PostalPlace> places;
        if (known) {
            places.push_back({"東京都", "千代田区", "丸の内"});
        }
        const AddressParts parts = smartimport::romajiAddress(wide(written), places);
        QCOMPARE(qt(parts.street), street);
        QCOMPARE(qt(parts.building), building);
    }

    void longFirstAddressWarns()
    {
        const SmartResult result =
            runSmartTransfer(cp932::FromUtf8("〒891-5201\n鹿児島県鹿児島郡十島村中之島字大字七ツ山下3456-78\n山田"));
        QVERIFY(!result.warning.empty());
    }
};

QTEST_GUILESS_MAIN(TestSmartFields)
#include "tst_smartfields.moc"
