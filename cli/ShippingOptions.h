#pragma once

#include <QDate>

#include <filesystem>
#include <stdexcept>
#include <string>

// What the shipping-day commands (`track`, `shipped`, `manifest`) share.
namespace shippingcli {

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A YYYY-MM-DD day; throws UsageError naming the option otherwise.
QDate DayOption(const std::string& option, const std::string& text);

// The working folder's journal; throws std::runtime_error when there is none yet, so that a
// command never creates an empty one.
std::filesystem::path ExistingJournal();

} // namespace shippingcli
