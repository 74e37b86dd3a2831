#include "journal/JobOwner.h"

#include <QFile>
#include <QSysInfo>

#include <unistd.h>

namespace journal::owner {
namespace {

// Field 22 of /proc/PID/stat, the start time in clock ticks since boot. The command name in
// field 2 may hold blanks and parentheses, so counting starts after its closing parenthesis.
std::string startTimeOf(const std::string& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromStdString(pid)));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray line = stat.read(4096);
    const qsizetype end = line.lastIndexOf(')');
    if (end < 0) {
        return {};
    }
    const QList<QByteArray> fields = line.mid(end + 2).split(' ');
    constexpr int kStartTimeAfterName = 19; // field 22 counted from field 3
    return fields.size() > kStartTimeAfterName ? fields.at(kStartTimeAfterName).toStdString() : std::string();
}

std::string machine()
{
    return QSysInfo::machineHostName().toStdString() + '/' + QSysInfo::bootUniqueId().toStdString();
}

} // namespace

const std::string& Current()
{
    static const std::string mark = [] {
        const std::string pid = std::to_string(::getpid());
        return machine() + ' ' + pid + ' ' + startTimeOf(pid);
    }();
    return mark;
}

bool Alive(const std::string& mark)
{
    const std::size_t pidAt = mark.find(' ');
    const std::size_t startAt = pidAt == std::string::npos ? pidAt : mark.find(' ', pidAt + 1);
    if (startAt == std::string::npos || mark.substr(0, pidAt) != machine()) {
        return false;
    }
    const std::string pid = mark.substr(pidAt + 1, startAt - pidAt - 1);
    const std::string start = mark.substr(startAt + 1);
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || start.empty()) {
        return false;
    }
    return startTimeOf(pid) == start;
}

} // namespace journal::owner
