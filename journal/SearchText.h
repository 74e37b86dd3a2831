#pragma once

#include <QString>
#include <QStringList>

// The journal finds entries by any part of a name, telephone, postal code, address or order
// number, however the user types it: full or half width, upper or lower case, with or without
// blanks and hyphens. Each field is indexed as its single characters and its overlapping
// character pairs; a search word of two characters or more is the phrase of its pairs.
namespace journal::search {

// Compatibility forms folded, lower case, only letters and digits kept.
QString Normalise(const QString& text);

struct IndexColumns
{
    QString pairs;   // character pairs, fields kept apart by a token no search word yields
    QString singles; // single characters
};

IndexColumns ColumnsOf(const QStringList& fields);

// The normalised words of a search text (separated by blanks, the full-width one too), those
// without a letter or digit left out.
QStringList Words(const QString& text);

// The fields folded for the server's search: each word of a search lies within one field.
QString FoldedText(const QStringList& fields);

// The full-text expression for a search text (words separated by blanks, all required);
// empty when it holds no letter or digit.
QString MatchExpression(const QString& text);

} // namespace journal::search
