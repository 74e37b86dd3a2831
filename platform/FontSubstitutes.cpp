#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    QFont::insertSubstitutions(QStringLiteral("Lucida Sans Unicode"), {QStringLiteral("DejaVu Sans")});
}
