#include "tests/support/Cp932Text.h"
#include "textimport/Classification.h"

#include <QTest>

class TestClassification : public QObject
{
    Q_OBJECT

private slots:
    void countOccurrences_data();
    void countOccurrences();
    void patternSetCountsLikeEachPatternAlone_data();
    void patternSetCountsLikeEachPatternAlone();
    void patternSetRefusesHalfCharacters();
    void verdict_data();
    void verdict();
    void prefecture_data();
    void prefecture();
    void addressScore_data();
    void addressScore();
    void mailWebMarkers_data();
    void mailWebMarkers();
};

void TestClassification::countOccurrences_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<int>("count");

    auto row = [](const char* name, const QString& text, const QString& pattern, int count) {
        QTest::newRow(name) << QByteArray::fromStdString(sj(text)) << QByteArray::fromStdString(sj(pattern)) << count;
    };
    row("hyphens between digits", "1-2-3", "-", 2);
    row("double-byte pattern twice", "ビルビル", "ビル", 2);
    row("matches do not overlap", "aaaa", "aa", 2);
    row("never across the end", "ab", "abc", 0);
    row("empty text", "", "-", 0);
    row("case-sensitive", "Tel TEL", "TEL", 1);
    row("width-sensitive", "ＴＥＬ", "TEL", 0);
    // ア is 0x83 0x41: its second byte is the code of "A".
    row("never inside a double-byte character", "アA", "A", 1);
    // ェ is 0x83 0x46.
    row("trail byte equal to F is no F", "ェF", "F", 1);
    QTest::newRow("dangling lead byte at the end") << QByteArray("12\x82") << QByteArray("\x82") << 1;
    QTest::newRow("text reads as zero past its end") << QByteArray("ab") << QByteArray("ab\0", 3) << 1;
}

void TestClassification::countOccurrences()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, pattern);
    QFETCH(int, count);
    QCOMPARE(textimport::CountOccurrences(text.toStdString(), pattern.toStdString()), count);
}

void TestClassification::patternSetCountsLikeEachPatternAlone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("patterns");

    QTest::newRow("self-overlapping pattern") << "aaaaa" << QStringList{"aa", "a"};
    QTest::newRow("patterns sharing a first byte") << "ビルビルディング" << QStringList{"ビル", "ビ", "ル", "ディ"};
    QTest::newRow("trail bytes that look like patterns") << "アェA-F" << QStringList{"A", "F", "-"};
    QTest::newRow("school words") << "中学校と高等学校" << QStringList{"中学", "中学校", "高校", "学校"};
    QTest::newRow("pattern longer than the text") << "ab" << QStringList{"abc", "b"};
    QTest::newRow("empty text") << "" << QStringList{"a"};
}

void TestClassification::patternSetCountsLikeEachPatternAlone()
{
    QFETCH(QString, text);
    QFETCH(QStringList, patterns);

    const std::vector<std::string> bytes = sjLines(patterns);
    int expected = 0;
    for (const std::string& pattern : bytes) {
        expected += textimport::CountOccurrences(sj(text), pattern);
    }
    QCOMPARE(textimport::PatternSet(bytes).count(sj(text)), expected);
}

void TestClassification::patternSetRefusesHalfCharacters()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, textimport::PatternSet({std::string("a\x82")}));
}

void TestClassification::verdict_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("postal code") << "123-4567"
                                 << "〒";
    QTest::newRow("full-width postal code") << "１２３－４５６７"
                                            << "〒";
    QTest::newRow("seven digits is not a postal code") << "1234567"
                                                       << "〒/電話番工判断";
    QTest::newRow("postal mark makes nine characters") << "〒123-4567"
                                                       << "〒/電話番工判断";
    QTest::newRow("postal code among blanks") << "  123-4567 "
                                              << "〒";
    QTest::newRow("land line") << "03-1234-5678"
                               << "TEL";
    QTest::newRow("mobile") << "090-1234-5678"
                            << "TEL";
    QTest::newRow("one plus sign") << "+81-3-1234-5678"
                                   << "TEL";
    QTest::newRow("brackets are two others") << "03(1234)5678"
                                             << "〒/電話番工判断";
    QTest::newRow("blanks are two others") << "03 1234 5678"
                                           << "〒/電話番工判断";
    QTest::newRow("ten digits solid is not a telephone") << "0312345678"
                                                         << "〒/電話番工判断";
    QTest::newRow("first eight bytes of a telephone") << "03-1234-"
                                                      << "〒";
    QTest::newRow("long address") << "東京都千代田区丸の内1-2"
                                  << "ADD";
    QTest::newRow("empty") << ""
                           << "〒/電話番工判断";
}

void TestClassification::verdict()
{
    QFETCH(QString, text);
    QFETCH(QString, verdict);
    QCOMPARE(QString::fromUtf8(textimport::VerdictText(textimport::ZipTelCheck(sj(text)))), verdict);
}

void TestClassification::prefecture_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isPrefecture");

    QTest::newRow("first") << "北海道" << true;
    QTest::newRow("capital") << "東京都" << true;
    QTest::newRow("kyoto") << "京都府" << true;
    QTest::newRow("osaka") << "大阪府" << true;
    QTest::newRow("last") << "沖縄県" << true;
    QTest::newRow("four characters") << "神奈川県" << true;
    QTest::newRow("without suffix") << "東京" << false;
    QTest::newRow("untrimmed") << "東京都 " << false;
    QTest::newRow("with the city") << "東京都千代田区" << false;
    QTest::newRow("empty") << "" << false;
}

void TestClassification::prefecture()
{
    QFETCH(QString, text);
    QFETCH(bool, isPrefecture);
    QCOMPARE(textimport::IsPrefecture(sj(text)), isPrefecture);
}

void TestClassification::addressScore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("characters");
    QTest::addColumn<int>("score");

    QTest::newRow("plain name") << "山田太郎" << 4 << 0;
    QTest::newRow("name with an address character") << "村上一郎" << 4 << 1;
    QTest::newRow("building and floor") << "山下ビル2F" << 6 << 3;
    QTest::newRow("street address") << "東京都千代田区1-2-3" << 12 << 7;
    QTest::newRow("overlapping school words") << "中学校" << 3 << 2;
    QTest::newRow("mansion counts once") << "マンション" << 5 << 1;
    QTest::newRow("half-width building") << "ﾋﾞﾙ" << 3 << 1;
    QTest::newRow("blanks are trimmed") << "  山田 " << 2 << 0;
    QTest::newRow("company with a village") << "株式会社中村商店" << 8 << 1;
    QTest::newRow("empty") << "" << 0 << 0;
}

void TestClassification::addressScore()
{
    QFETCH(QString, text);
    QFETCH(int, characters);
    QFETCH(int, score);
    const textimport::AddressScore result = textimport::ScoreAddress(sj(text));
    QCOMPARE(static_cast<int>(result.characters), characters);
    QCOMPARE(result.score, score);
}

void TestClassification::mailWebMarkers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isMailOrWeb");

    QTest::newRow("mail address") << "山田 taro@example.org" << true;
    QTest::newRow("at sign alone") << "a@b" << true;
    QTest::newRow("host name") << "www.example.jp" << true;
    QTest::newRow("address line") << "東京都千代田区1-2-3" << false;
    QTest::newRow("full-width at sign is no marker") << "＠" << false;
}

void TestClassification::mailWebMarkers()
{
    QFETCH(QString, text);
    QFETCH(bool, isMailOrWeb);
    QCOMPARE(textimport::MailWebMarkerCount(sj(text)) > 0, isMailOrWeb);
}

QTEST_APPLESS_MAIN(TestClassification)
#include "tst_classification.moc"
