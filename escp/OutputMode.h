#pragma once

#include <string>
#include <string_view>

// How a paper feed's slips reach its printer: through the queue's driver, or as the
// printer's own command stream, drawn as a bit image or written in the printer's fonts.
// Registered as the key `Output` of the feed's section.
enum class OutputMode
{
    Driver,
    EscpImage,
    EscpText,
};

inline constexpr const char* kOutputKey = "Output";

// A missing or unknown value is the driver, so that a file from a newer program still prints.
OutputMode OutputModeFromKey(std::string_view value);
std::string OutputModeKey(OutputMode mode);
