#include "tests/support/Cp932Text.h"
#include "textimport/Normalisation.h"

#include <QTest>

class TestNormalisation : public QObject
{
    Q_OBJECT

private slots:
    void compaction_data();
    void compaction();
    void labelCleanUp_data();
    void labelCleanUp();
    void trimWideBlanks_data();
    void trimWideBlanks();
    void numericLead_data();
    void numericLead();
    void postalCodeSplit_data();
    void postalCodeSplit();
};

void TestNormalisation::compaction_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("blank lines go, the rest is trimmed")
        << QStringList{"", "  山田太郎 ", "\t", "東京都"} << QStringList{"山田太郎", "東京都"};
    QTest::newRow("mail line goes even with a name")
        << QStringList{"山田太郎 taro@example.org", "東京都"} << QStringList{"東京都"};
    QTest::newRow("web line goes") << QStringList{"https://shop.example.com/", "山田"} << QStringList{"山田"};
    QTest::newRow("full-width blanks stay") << QStringList{"　　"} << QStringList{"　　"};
    QStringList seventeen;
    for (int i = 1; i <= 17; ++i) {
        seventeen.append(QString("行%1").arg(i));
    }
    QTest::newRow("only the first sixteen lines are read") << seventeen << seventeen.mid(0, 16);
    QTest::newRow("nothing") << QStringList{} << QStringList{};
}

void TestNormalisation::compaction()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    QCOMPARE(fromSjLines(textimport::CompactLines(sjLines(lines))), kept);
}

void TestNormalisation::labelCleanUp_data()
{
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("name label, colon and honorific") << 1 << "お名前：山田太郎 様"
                                                     << "山田太郎";
    QTest::newRow("address label") << 1 << "ご住所：東京都千代田区1-2-3"
                                   << "東京都千代田区1-2-3";
    QTest::newRow("telephone label") << 1 << "電話番号：03-1234-5678"
                                     << "03-1234-5678";
    QTest::newRow("ascii telephone label") << 1 << "TEL:03-1234-5678"
                                           << "03-1234-5678";
    QTest::newRow("postal mark, numeric lead of three") << 1 << "〒１２３－４５６７"
                                                        << "123-4567";
    QTest::newRow("telephone with short numeric lead stays wide") << 2 << "０３－１２３４－５６７８"
                                                                  << "０３－１２３４－５６７８";
    QTest::newRow("last line always in half width") << 7 << "０３－１２３４－５６７８"
                                                    << "03-1234-5678";
    QTest::newRow("wide label on the last line") << 7 << "ＴＥＬ：０３－１２３４－５６７８"
                                                 << "03-1234-5678";
    QTest::newRow("wide label elsewhere") << 5 << "ＴＥＬ：０３－１２３４－５６７８"
                                          << "０３－１２３４－５６７８";
    QTest::newRow("katakana name stays wide") << 3 << "ヤマダ　タロウ"
                                              << "ヤマダ　タロウ";
    QTest::newRow("katakana name on the last line") << 7 << "ヤマダ　タロウ"
                                                    << "ﾔﾏﾀﾞ ﾀﾛｳ";
    QTest::newRow("label inside a word goes") << 1 << "日本電話ビル"
                                              << "日本ビル";
    QTest::newRow("longer label goes whole") << 1 << "お電話番号 03-1234-5678"
                                             << "03-1234-5678";
    QTest::newRow("heading alone becomes empty") << 1 << "お届け先"
                                                 << "";
    QTest::newRow("honorific after blank") << 4 << "山田 花子 様"
                                           << "山田 花子";
    QTest::newRow("full-width blanks only") << 1 << "　　　"
                                            << "";
    QTest::newRow("seven wide digits converted") << 1 << "１２３４５６７"
                                                 << "1234567";
    QTest::newRow("ten wide digits have no numeric lead") << 1 << "０３１２３４５６７８"
                                                          << "０３１２３４５６７８";
}

void TestNormalisation::labelCleanUp()
{
    QFETCH(int, lineNumber);
    QFETCH(QString, line);
    QFETCH(QString, cleaned);

    QStringList lines(7, "x");
    lines[lineNumber - 1] = line;
    const QStringList result = fromSjLines(textimport::CleanLabels(sjLines(lines)));
    QCOMPARE(result.size(), 7);
    QCOMPARE(result[lineNumber - 1], cleaned);
}

void TestNormalisation::trimWideBlanks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("trimmed");

    QTest::newRow("both widths at both ends") << "　 山田　花子 　"
                                              << "山田　花子";
    QTest::newRow("control bytes") << "\t山田\r"
                                   << "山田";
    QTest::newRow("blanks only") << " 　 "
                                 << "";
    QTest::newRow("inner blanks stay") << "a　b"
                                       << "a　b";
    QTest::newRow("empty") << ""
                           << "";
}

void TestNormalisation::trimWideBlanks()
{
    QFETCH(QString, line);
    QFETCH(QString, trimmed);
    QCOMPARE(fromSj(textimport::TrimWideBlanks(sj(line))), trimmed);
}

void TestNormalisation::numericLead_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("lead");

    QTest::newRow("postal code") << "１２３－４５６７"
                                 << "123";
    QTest::newRow("telephone loses its zero") << "０３－１２３４－５６７８"
                                              << "3";
    QTest::newRow("seven digits") << "1234567"
                                  << "1234567";
    QTest::newRow("ten digits") << "0312345678"
                                << "";
    QTest::newRow("text") << "山田"
                          << "";
}

void TestNormalisation::numericLead()
{
    QFETCH(QString, line);
    QFETCH(QString, lead);
    QCOMPARE(fromSj(textimport::NumericLead(sj(line))), lead);
}

void TestNormalisation::postalCodeSplit_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("split");

    QTest::newRow("address moves to the first empty line")
        << QStringList{"123-4567東京都千代田区1-2-3", "山田太郎", "03-1234-5678"}
        << QStringList{"123-4567", "山田太郎", "03-1234-5678", "東京都千代田区1-2-3", "", "", ""};
    QTest::newRow("blank after the postal code travels along")
        << QStringList{"", "123-4567 東京都中央区銀座9-9-9", "山田"}
        << QStringList{"", "123-4567", "山田", " 東京都中央区銀座9-9-9", "", "", ""};
    QTest::newRow("short rest stays together")
        << QStringList{"123-4567 東京都"} << QStringList{"123-4567 東京都", "", "", "", "", "", ""};
    QTest::newRow("no empty line after it drops the rest")
        << QStringList{"a", "b", "c", "d", "123-4567東京都千代田区1-2-3", "f", "g"}
        << QStringList{"a", "b", "c", "d", "123-4567", "f", "g"};
    QTest::newRow("telephone is not split")
        << QStringList{"03-1234-5678"} << QStringList{"03-1234-5678", "", "", "", "", "", ""};
    const QString longAddress = "東京都千代田区丸の内一丁目二番三号　丸の内パークビルディング　二十三階　"
                                "株式会社山田商事　総務部";
    QTest::newRow("long address keeps its end")
        << QStringList{"123-4567" + longAddress} << QStringList{"123-4567", longAddress, "", "", "", "", ""};
}

void TestNormalisation::postalCodeSplit()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, split);
    QCOMPARE(fromSjLines(textimport::SplitPostalCodes(sjLines(lines))), split);
}

QTEST_APPLESS_MAIN(TestNormalisation)
#include "tst_normalisation.moc"
