#pragma once

#include "cli/Command.h"
#include "journal/Journal.h"

#include <QDate>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

// What the shipping-day commands (`track`, `shipped`, `manifest`) share.
namespace shippingcli {

// The day the option gives as YYYY-MM-DD, none when it is absent; throws UsageError naming
// the option for anything else.
std::optional<QDate> DayOption(const CommandArguments& arguments, const std::string& option);

// Throws UsageError for the first operand, for the commands that take none.
void RefuseOperands(const CommandArguments& arguments);

// The folder's journal; throws std::runtime_error when there is none yet, so that a command
// never creates an empty one. A journal of an older layout is brought up to date only when
// opened for writing.
std::shared_ptr<journal::Journal> ExistingJournal(const std::filesystem::path& folder, journal::Journal::Access access);

} // namespace shippingcli
