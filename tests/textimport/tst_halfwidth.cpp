#include "tests/support/Cp932Text.h"
#include "textimport/HalfWidth.h"

#include <QFile>
#include <QHash>
#include <QTest>

// Half-width forms derived from Unicode's own data file, independently of the generated
// table: <wide> and <narrow> pairs, voiced kana as base and sound mark, spacing sound marks.
static QHash<char32_t, std::u32string> halfWidthFormsFromUnicodeData(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    struct Decomposition
    {
        QByteArray tag;
        std::vector<char32_t> codes;
    };
    QHash<char32_t, Decomposition> decompositions;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().split(';');
        if (fields.size() < 6 || fields[5].isEmpty()) {
            continue;
        }
        Decomposition d;
        for (const QByteArray& part : fields[5].split(' ')) {
            if (part.startsWith('<')) {
                d.tag = part;
            } else {
                d.codes.push_back(part.toUInt(nullptr, 16));
            }
        }
        decompositions.insert(fields[0].toUInt(nullptr, 16), d);
    }
    QHash<char32_t, std::u32string> forms;
    for (auto it = decompositions.cbegin(); it != decompositions.cend(); ++it) {
        if (it->codes.size() != 1) {
            continue;
        }
        if (it->tag == "<wide>") {
            forms.insert(it.key(), std::u32string(1, it->codes[0]));
        } else if (it->tag == "<narrow>") {
            forms.insert(it->codes[0], std::u32string(1, it.key()));
        }
    }
    for (auto it = decompositions.cbegin(); it != decompositions.cend(); ++it) {
        if (it->codes.size() != 2 || (it->codes[1] != 0x3099 && it->codes[1] != 0x309A) ||
            !forms.contains(it->codes[1])) {
            continue;
        }
        if (it->tag.isEmpty() && forms.contains(it->codes[0])) {
            forms.insert(it.key(), forms.value(it->codes[0]) + forms.value(it->codes[1]));
        } else if (it->tag == "<compat>" && it->codes[0] == 0x20) {
            forms.insert(it.key(), forms.value(it->codes[1]));
        }
    }
    return forms;
}

class TestHalfWidth : public QObject
{
    Q_OBJECT

private slots:
    void everyCharacterAsUnicodeSays();
    void conversion_data();
    void conversion();
};

void TestHalfWidth::everyCharacterAsUnicodeSays()
{
    const auto forms = halfWidthFormsFromUnicodeData(UNICODE_DATA_FILE);
    QVERIFY2(forms.size() > 200, "Unicode's data file (package unicode-data) is missing");

    int converted = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead == 0xA0) {
            lead = 0xE0;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const QString character = fromSj(code);
            if (trail == 0x7F || character.isEmpty() || character == QStringLiteral("〓")) {
                continue;
            }
            std::string expected = code;
            const std::u32string form = forms.value(character.toUcs4().value(0));
            if (!form.empty()) {
                const QString formText = QString::fromUcs4(form.data(), static_cast<qsizetype>(form.size()));
                const auto half = cp932::FromUtf8Strict(formText.toStdString());
                // A form the code page writes as another character (the yen sign as the
                // backslash) is no form.
                const bool singleBytes =
                    half && fromSj(*half) == formText && std::all_of(half->begin(), half->end(), [](char byte) {
                        const auto b = static_cast<unsigned char>(byte);
                        return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
                    });
                if (singleBytes) {
                    expected = *half;
                    ++converted;
                }
            }
            QVERIFY2(textimport::ToHalfWidth(code) == expected,
                     qPrintable(QString("%1 (%2)").arg(character).arg((lead << 8) | trail, 4, 16)));
        }
    }
    QVERIFY(converted > 150);
}

void TestHalfWidth::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("half");

    QTest::newRow("letters, digits and symbols") << "ＡＢｃ１２３－＠（）＃"
                                                 << "ABc123-@()#";
    QTest::newRow("full-width blank") << "山田　花子"
                                      << "山田 花子";
    QTest::newRow("voiced and semi-voiced kana") << "ガパヴ"
                                                 << "ｶﾞﾊﾟｳﾞ";
    QTest::newRow("punctuation and prolonged sound") << "「コーヒー」、。・"
                                                     << "｢ｺｰﾋｰ｣､｡･";
    QTest::newRow("hiragana and kanji stay") << "やまだ山田"
                                             << "やまだ山田";
    QTest::newRow("kana without half-width form stay") << "ヵヶヰヱヮ"
                                                       << "ヵヶヰヱヮ";
    QTest::newRow("half-width form outside the code page stays") << "○■→←↑↓│"
                                                                 << "○■→←↑↓│";
    QTest::newRow("yen sign has no half-width form here") << "￥１００"
                                                          << "￥100";
    QTest::newRow("half width stays") << "ｱｲｳ abc"
                                      << "ｱｲｳ abc";
    QTest::newRow("no length limit") << QString("ＡＢ").repeated(300) << QString("AB").repeated(300);
    QTest::newRow("empty") << ""
                           << "";
}

void TestHalfWidth::conversion()
{
    QFETCH(QString, text);
    QFETCH(QString, half);
    QCOMPARE(fromSj(textimport::ToHalfWidth(sj(text))), half);
}

QTEST_APPLESS_MAIN(TestHalfWidth)
#include "tst_halfwidth.moc"
