#include "escp/OutputMode.h"

OutputMode OutputModeFromKey(std::string_view value)
{
    if (value == "escp-image") {
        return OutputMode::EscpImage;
    }
    if (value == "escp-text") {
        return OutputMode::EscpText;
    }
    return OutputMode::Driver;
}

std::string OutputModeKey(OutputMode mode)
{
    switch (mode) {
    case OutputMode::EscpImage:
        return "escp-image";
    case OutputMode::EscpText:
        return "escp-text";
    case OutputMode::Driver:
        break;
    }
    return "driver";
}
