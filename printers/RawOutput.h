#pragma once

#include <string>
#include <string_view>

// A printer's own command stream sent as it is, whole or not at all as far as the sender can
// tell: to a device file (a printer name starting with "/", e.g. /dev/usb/lp0) or as one raw
// job (application/vnd.cups-raw) on a CUPS queue. Every failure is an EPrinterAccess naming
// the device or the queue, raised before anything is sent wherever it can be known then.
namespace rawoutput {

// The CUPS job id, or 0 for a device file.
int Send(const std::string& printer, const std::string& title, std::string_view stream);

bool IsDeviceFile(const std::string& printer);

// Refuses anything but a character device or a regular file (a regular file is replaced),
// never waits for a device that is not there.
void WriteDeviceFile(const std::string& path, std::string_view stream);

// Checks that the queue exists, accepts jobs and takes raw data, then sends one job; a job
// that fails on the way is cancelled. Returns the job id.
int SendRawJob(const std::string& queue, const std::string& title, std::string_view stream);

} // namespace rawoutput
