#include "cli/BatchOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

int wholeNumber(const std::string& text, int low, int high, const std::string& option)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        throw BatchUsageError(option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high));
    }
    return value;
}

using Setter = std::function<void(BatchOptions&, const std::string&)>;

const std::map<std::string, Setter>& valueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"--format", [](BatchOptions& o, const std::string& v) { o.read.format = v; }},
        {"--encoding",
         [](BatchOptions& o, const std::string& v) {
             o.read.encoding = batch::ParseEncoding(v);
             if (!o.read.encoding) {
                 throw BatchUsageError("--encoding takes utf-8 or cp932");
             }
         }},
        {"--map", [](BatchOptions& o, const std::string& v) { o.read.columnMap = v; }},
        {"--sender", [](BatchOptions& o, const std::string& v) { o.sender = wholeNumber(v, 1, 10, "--sender"); }},
        {"--paper", [](BatchOptions& o, const std::string& v) { o.paper = wholeNumber(v, 0, 1, "--paper"); }},
        {"--printer", [](BatchOptions& o, const std::string& v) { o.printer = v; }},
        {"--only", [](BatchOptions& o, const std::string& v) { o.only = v; }},
        {"--from",
         [](BatchOptions& o, const std::string& v) {
             o.from = static_cast<std::size_t>(wholeNumber(v, 1, 1'000'000, "--from"));
         }},
    };
    return options;
}

} // namespace

BatchOptions ParseBatchOptions(const std::vector<std::string>& arguments)
{
    BatchOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto option = valueOptions().find(argument);
        if (option != valueOptions().end()) {
            if (i + 1 >= arguments.size()) {
                throw BatchUsageError(argument + " needs a value");
            }
            option->second(options, arguments[++i]);
        } else if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument == "--force") {
            options.force = true;
        } else if (argument.starts_with("--") || haveFile) {
            throw BatchUsageError(haveFile && !argument.starts_with("--") ? "more than one order file"
                                                                          : "unknown option " + argument);
        } else {
            options.file = argument;
            haveFile = true;
        }
    }
    if (!haveFile) {
        throw BatchUsageError("no order file");
    }
    return options;
}
