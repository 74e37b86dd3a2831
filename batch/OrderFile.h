#pragma once

#include "batch/BatchSlip.h"
#include "batch/Encoding.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct ReadOptions
{
    std::optional<std::string> format; // a format id or label; recognised from the header when absent
    std::optional<Encoding> encoding;  // detected when absent
    std::string columnMap;             // for a generic file: "zip=…,address1=…"
};

// The slips of an order export, before any outside check.
struct OrderFile
{
    std::string format; // the format's id
    Encoding encoding = Encoding::Utf8;
    std::vector<std::string> header;
    std::vector<BatchSlip> slips;
    std::vector<SkippedRow> skipped;
};

// Reads the bytes of an order export into slips, one per order and destination, with the
// checks that need nothing but the slip. Throws BatchError when the format is unknown or
// cannot be recognised, or the column mapping does not fit the file.
OrderFile ReadOrderFile(std::string_view bytes, const ReadOptions& options = {});

// The largest order export read: a shop's export of a month of orders stays far below it, and
// the slips of a larger file would not fit in memory.
inline constexpr std::uintmax_t kMaxOrderFileBytes = std::uintmax_t{100} * 1024 * 1024;

// The bytes of an order export, refused with a BatchError naming the file when it is missing,
// not a regular file (a FIFO, a device, a folder: never waited on) or above kMaxOrderFileBytes.
std::string LoadOrderFile(const std::filesystem::path& file);

// The header cells of a file, as the mapping dialog lists them: the first record read
// with the separator that gives the most columns.
std::vector<std::string> HeaderOf(std::string_view utf8Text);

} // namespace batch
