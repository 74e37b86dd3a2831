// The share of hand-labelled order mails whose five recipient fields all come out right.
#include "postal/PostalDirectory.h"
#include "smartimport/SmartTransfer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <array>

namespace {

struct LabelledMail
{
    QString id;
    QString text;
    QStringList expected; // zip, address 1, address 2, name, telephone
};

const QStringList kFieldKeys{"zip", "address1", "address2", "name", "tel"};

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(path));
    }
    return QString::fromUtf8(file.readAll());
}

QList<LabelledMail> readCorpus(const QString& name)
{
    QList<LabelledMail> mails;
    bool inExpect = false;
    for (const QString& line : readUtf8(QStringLiteral(CORPUS_DIR "/") + name).split('\n')) {
        if (line.startsWith("#### ")) {
            mails.append({line.mid(5).section(' ', 0, 0), {}, QStringList(5)});
            inExpect = false;
        } else if (line == "==== expect") {
            inExpect = true;
        } else if (!mails.isEmpty() && inExpect) {
            const qsizetype colon = line.indexOf(':');
            const qsizetype key = kFieldKeys.indexOf(line.left(colon));
            if (colon > 0 && key >= 0) {
                mails.last().expected[key] = line.mid(colon + 1).trimmed();
            }
        } else if (!mails.isEmpty()) {
            mails.last().text += line + '\n';
        }
    }
    return mails;
}

smartimport::PostalLookup corpusDirectory()
{
    QHash<QString, QList<smartimport::PostalPlace>> places;
    for (const QString& line : readUtf8(QStringLiteral(CORPUS_DIR "/postal.tsv")).split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split('\t');
        places[QString(cells[0]).remove('-')].append(
            {cells[1].toStdString(), cells[2].toStdString(), cells.value(3).toStdString()});
    }
    return [places](std::string_view digits) {
        const auto found = places.value(QString::fromUtf8(digits.data(), static_cast<qsizetype>(digits.size())));
        return std::vector<smartimport::PostalPlace>(found.begin(), found.end());
    };
}

smartimport::PostalLookup nationalList()
{
    const postal::PostalDirectory& directory = postal::directoryFor(CORPUS_DIR);
    return [&directory](std::string_view digits) {
        std::vector<smartimport::PostalPlace> places;
        for (const postal::PostalEntry& entry : directory.find(digits)) {
            places.push_back({entry.prefecture, entry.city, entry.town});
        }
        return places;
    };
}

// Blanks, character widths and the look of hyphens do not count.
QString lenient(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s"));
    static const QRegularExpression dashes(QStringLiteral("[\u2010-\u2015\u2212\u30FC\uFF0D\uFF70\u2500]"));
    return text.normalized(QString::NormalizationForm_KC).remove(blanks).replace(dashes, QStringLiteral("-"));
}

// The transfer completes an おところ① written without its prefecture from the postal code; a
// label that leaves the prefecture out, as the mail did, is right too.
bool sameField(int field, const QString& got, const QString& expected)
{
    if (lenient(got) == lenient(expected)) {
        return true;
    }
    static const QRegularExpression prefecture(QStringLiteral("^(東京都|北海道|京都府|大阪府|\\S{2,3}県)"));
    const QRegularExpressionMatch match = prefecture.match(lenient(got));
    return field == 1 && match.hasMatch() && !prefecture.match(lenient(expected)).hasMatch() &&
           lenient(got).mid(match.capturedLength()) == lenient(expected);
}

// Reads every mail of a part; returns the share fully right and logs the misses and the share
// of each field.
double measure(const QString& part, const smartimport::PostalLookup& directory)
{
    const QList<LabelledMail> mails = readCorpus(part);
    int right = 0;
    std::array<int, 5> fieldsRight{};
    for (const LabelledMail& mail : mails) {
        const textimport::RecipientFields f = smartimport::readRecipient(mail.text.toStdString(), directory);
        const QStringList got{QString::fromStdString(f.zip), QString::fromStdString(f.address1),
                              QString::fromStdString(f.address2), QString::fromStdString(f.name),
                              QString::fromStdString(f.tel)};
        bool allRight = true;
        for (int k = 0; k < 5; ++k) {
            if (sameField(k, got[k], mail.expected[k])) {
                ++fieldsRight[k];
                continue;
            }
            allRight = false;
            qInfo().noquote() << part << mail.id << kFieldKeys[k] << "got" << got[k] << "expected" << mail.expected[k];
        }
        right += allRight ? 1 : 0;
    }
    QStringList perField;
    for (int k = 0; k < 5; ++k) {
        perField.append(QStringLiteral("%1 %2").arg(kFieldKeys[k]).arg(fieldsRight[k]));
    }
    const double share = mails.isEmpty() ? 0.0 : double(right) / double(mails.size());
    qInfo().noquote() << QStringLiteral("%1: %2 of %3 mails fully right (%4 %); %5")
                             .arg(part)
                             .arg(right)
                             .arg(mails.size())
                             .arg(share * 100.0, 0, 'f', 1)
                             .arg(perField.join(", "));
    return share;
}

// A part kept out of tuning: at least 30 mails, at least 90 % fully right.
void checkUnseenPart(const QString& part, const smartimport::PostalLookup& directory)
{
    QVERIFY(readCorpus(part).size() >= 30);
    QVERIFY(measure(part, directory) >= 0.9);
}

} // namespace

class TestSmartCorpus : public QObject
{
    Q_OBJECT

private slots:
    void tuningPart() { QVERIFY(measure("tuning.txt", corpusDirectory()) >= 0.9); }
    void heldOutPart() { checkUnseenPart("heldout.txt", corpusDirectory()); }
    // Written by someone who never saw the rules, read with the program's own postal-code list.
    void blindPart()
    {
        if (!QFile::exists(QStringLiteral(CORPUS_DIR "/blind.txt"))) {
            QSKIP("blind.txt is not in the corpus yet");
        }
        checkUnseenPart("blind.txt", nationalList());
    }
    // The same with the program's own postal-code list instead of the corpus's small one.
    void withNationalList()
    {
        QVERIFY(measure("tuning.txt", nationalList()) >= 0.9);
        checkUnseenPart("heldout.txt", nationalList());
    }
};

QTEST_GUILESS_MAIN(TestSmartCorpus)
#include "tst_smartcorpus.moc"
