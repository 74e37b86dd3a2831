#include "printers/RawOutput.h"

namespace rawoutput {

bool IsDeviceFile(const std::string& printer)
{
    return !printer.empty() && printer.front() == '/';
}

int Send(const std::string& printer, const std::string& title, std::string_view stream)
{
    if (IsDeviceFile(printer)) {
        WriteDeviceFile(printer, stream);
        return 0;
    }
    return SendRawJob(printer, title, stream);
}

} // namespace rawoutput
