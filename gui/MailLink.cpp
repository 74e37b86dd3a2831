#include "gui/MailLink.h"

QUrl SupportMailLink(const QString& address)
{
    const QByteArray link = "mailto:" + QUrl::toPercentEncoding(address, "@") +
                            "?subject=" + QUrl::toPercentEncoding(QStringLiteral("mivoへの問い合わせ")) + "&cc=&bcc=&";
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}
