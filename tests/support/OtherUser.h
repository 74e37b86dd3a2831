#pragma once

#include <QString>

#include <optional>
#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>

// A second local user who can put files into shared folders, made when the tests run as the
// superuser (as in CI). Nothing when they cannot be made: the caller skips and says why.
inline std::optional<uid_t> OtherUser()
{
    static constexpr const char* kName = "mivo-other";
    if (::geteuid() != 0) {
        return std::nullopt;
    }
    if (const passwd* user = ::getpwnam(kName)) {
        return user->pw_uid;
    }
    const QString command = QStringLiteral("useradd --system --no-create-home --shell /usr/sbin/nologin %1 "
                                           ">/dev/null 2>&1")
                                .arg(QString::fromLatin1(kName));
    if (std::system(command.toLocal8Bit().constData()) != 0) {
        return std::nullopt;
    }
    const passwd* user = ::getpwnam(kName);
    return user ? std::optional<uid_t>(user->pw_uid) : std::nullopt;
}
