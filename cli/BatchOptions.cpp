#include "cli/BatchOptions.h"

BatchOptions ParseBatchOptions(const CommandArguments& arguments)
{
    const std::vector<std::string>& files = arguments.operands();
    if (files.size() != 1) {
        throw UsageError(files.empty() ? "no order file" : "more than one order file");
    }
    BatchOptions options;
    options.file = files.front();
    options.read.format = arguments.value("format");
    if (const std::optional<std::string> encoding = arguments.value("encoding")) {
        options.read.encoding = batch::ParseEncoding(*encoding);
        if (!options.read.encoding) {
            throw UsageError("--encoding takes utf-8 or cp932");
        }
    }
    options.read.columnMap = arguments.value("map").value_or(options.read.columnMap);
    options.sender = NumberOption(arguments, "sender", 1, 10).value_or(options.sender);
    options.paper = NumberOption(arguments, "paper", 0, 1);
    options.printer = arguments.value("printer");
    options.only = arguments.value("only").value_or("");
    if (const std::optional<int> from = NumberOption(arguments, "from", 1, 1'000'000)) {
        options.from = static_cast<std::size_t>(*from);
    }
    options.dryRun = arguments.isSet("dry-run");
    options.force = arguments.isSet("force");
    return options;
}
