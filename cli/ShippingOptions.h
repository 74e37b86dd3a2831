#pragma once

#include <QDate>

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

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

// The arguments after the command's name.
inline std::vector<std::string> ArgumentsOf(int argc, char* argv[])
{
    return std::vector<std::string>(argv + 2, argv + argc);
}

// Parses the options and runs the command with them: exit status 2 with the usage for bad
// usage, 1 with the message when the command fails, else what the command returns.
template <typename Parse, typename Run>
int ExitStatusOf(std::ostream& err, const char* command, Parse&& parse, Run&& run)
{
    try {
        const auto options = parse();
        try {
            return run(options);
        } catch (const std::exception& error) {
            err << "mivo-kangaroo " << command << ": " << error.what() << '\n';
            return 1;
        }
    } catch (const UsageError& error) {
        err << error.what() << '\n';
        return 2;
    }
}

} // namespace shippingcli
