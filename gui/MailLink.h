#pragma once

#include <QString>
#include <QUrl>

// The mail form link for a question to the support address: subject "mivoへの問い合わせ",
// empty copy fields. Percent-encoded as UTF-8, so that any mail program reads the subject.
QUrl SupportMailLink(const QString& address);
