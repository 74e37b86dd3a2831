#include "cli/ShippingOptions.h"

#include "journal/Journal.h"
#include "platform/FilePath.h"

#include <QDir>

namespace shippingcli {

QDate DayOption(const std::string& option, const std::string& text)
{
    const QDate day = QDate::fromString(QString::fromStdString(text), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
        throw UsageError(option + " wants a date such as 2026-12-01, not " + text);
    }
    return day;
}

std::filesystem::path ExistingJournal()
{
    std::filesystem::path file = journal::Journal::In(ToPath(QDir::currentPath()));
    if (!std::filesystem::exists(file)) {
        throw std::runtime_error("no print journal in this folder yet");
    }
    return file;
}

} // namespace shippingcli
