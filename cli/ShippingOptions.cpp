#include "cli/ShippingOptions.h"

#include "journal/SharedJournal.h"

#include <stdexcept>

namespace shippingcli {

std::optional<QDate> DayOption(const CommandArguments& arguments, const std::string& option)
{
    const std::optional<std::string> text = arguments.value(option);
    if (!text) {
        return std::nullopt;
    }
    const QDate day = QDate::fromString(QString::fromStdString(*text), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
        throw UsageError("--" + option + " wants a date such as 2026-12-01, not " + *text);
    }
    return day;
}

void RefuseOperands(const CommandArguments& arguments)
{
    if (!arguments.operands().empty()) {
        throw UsageError("unexpected " + arguments.operands().front());
    }
}

std::shared_ptr<journal::Journal> ExistingJournal(const std::filesystem::path& folder, journal::Journal::Access access)
{
    const std::filesystem::path file = journal::Journal::In(folder);
    if (!journal::MayHaveEntries(file)) {
        throw std::runtime_error("no print journal in this folder yet");
    }
    return journal::OpenShared(file, access);
}

} // namespace shippingcli
