#include "journal/SearchText.h"

#include <string>

namespace journal::search {
namespace {

// Longer than a pair, so that a phrase never runs from one field into the next.
const QString kFieldBreak = QStringLiteral("fieldbreak");

std::u32string characters(const QString& normalised)
{
    return normalised.toStdU32String();
}

QString pairAt(const std::u32string& chars, std::size_t i)
{
    return QString::fromStdU32String(chars.substr(i, 2));
}

QString phraseOf(const QString& word)
{
    const std::u32string chars = characters(word);
    if (chars.size() == 1) {
        return QStringLiteral("singles : \"%1\"").arg(word);
    }
    QStringList pairs;
    for (std::size_t i = 0; i + 1 < chars.size(); ++i) {
        pairs << pairAt(chars, i);
    }
    return QStringLiteral("pairs : \"%1\"").arg(pairs.join(QLatin1Char(' ')));
}

} // namespace

QString Normalise(const QString& text)
{
    QString result;
    for (const char32_t c : text.normalized(QString::NormalizationForm_KC).toLower().toStdU32String()) {
        if (QChar::isLetterOrNumber(c)) {
            result += QString::fromStdU32String(std::u32string(1, c));
        }
    }
    return result;
}

IndexColumns ColumnsOf(const QStringList& fields)
{
    QStringList pairs;
    QStringList singles;
    for (const QString& field : fields) {
        const std::u32string chars = characters(Normalise(field));
        if (chars.empty()) {
            continue;
        }
        for (std::size_t i = 0; i < chars.size(); ++i) {
            singles << QString::fromStdU32String(chars.substr(i, 1));
            if (i + 1 < chars.size()) {
                pairs << pairAt(chars, i);
            }
        }
        pairs << kFieldBreak;
    }
    return {pairs.join(QLatin1Char(' ')), singles.join(QLatin1Char(' '))};
}

QStringList Words(const QString& text)
{
    QStringList words;
    for (const QString& part : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString word = Normalise(part);
        if (!word.isEmpty()) {
            words << word;
        }
    }
    return words;
}

QString FoldedText(const QStringList& fields)
{
    QStringList folded;
    for (const QString& field : fields) {
        folded << Normalise(field);
    }
    // A blank is no letter or digit, so no word runs from one field into the next.
    return folded.join(QLatin1Char(' '));
}

QString MatchExpression(const QString& text)
{
    QStringList phrases;
    for (const QString& word : Words(text)) {
        phrases << phraseOf(word);
    }
    return phrases.join(QStringLiteral(" AND "));
}

} // namespace journal::search
