#pragma once

#include "batch/OrderFile.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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

class BatchUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Throws BatchUsageError with the reason for anything the command does not take.
BatchOptions ParseBatchOptions(const std::vector<std::string>& arguments);
