#pragma once

#include "batch/OrderFile.h"
#include "cli/Command.h"

#include <cstddef>
#include <optional>
#include <string>

struct BatchOptions
{
    std::string file;
    batch::ReadOptions read;
    int sender = 1; // 1-10
    std::optional<int> paper;
    std::optional<std::string> printer;
    std::string only;
    std::optional<std::size_t> from;
    bool dryRun = false;
    bool force = false; // prints slips held back for unreadable characters too
};

// Throws UsageError with the reason for anything the command does not take.
BatchOptions ParseBatchOptions(const CommandArguments& arguments);
