#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The printer and margins registered for one paper feed in mivo_a500.ini, one section per
// paper selection named by its text. Values are code page 932 texts, taken as they stand.
struct PrinterRegistration
{
    std::string printerName; // a record for the reader of the file
    std::string printerIndex = "0";
    std::string top = "0";
    std::string left = "0";
    // How the feed's slips reach the printer (see OutputMode): empty when the section has no
    // such key, which prints through the driver as files from before the key always did.
    std::string output;
    // The driver's settings chosen with the printer, by the driver's own keywords (PageSize,
    // InputSlot, Resolution), and the resolution the margins count their dots in ("180x180").
    // Nothing when the section has no such key: the driver's defaults, and margins taken as
    // they stand, as files from before the keys always had them.
    std::optional<std::string> paperSize{};
    std::optional<std::string> paperSource{};
    std::optional<std::string> resolution{};
    std::optional<std::string> marginDpi{};
};

namespace registration {

inline constexpr const char* kFileName = "mivo_a500.ini";

std::filesystem::path RegistrationFile(const std::filesystem::path& folder);

PrinterRegistration Load(const std::filesystem::path& file, const std::string& section);

// Writes the four keys in their order, the output when it is not empty and each optional key
// that has a value, as one replacement of the file; a failure raises the file's write error and
// leaves every old entry as it was. An empty output or an optional key without a value leaves
// the key as it stands.
void Write(const std::filesystem::path& file, const std::string& section, const PrinterRegistration& entry);

// The printer number to select for a registration. A registration names its printer by
// number and by name; when queues were added or removed the number may now point at another
// printer, so a name found among the visible printers wins. The system default (-1) and
// unknown names keep the stored number. `visibleNames` are as the printer layer lists them
// (UTF-8).
std::string ResolvePrinterIndex(const PrinterRegistration& entry, const std::vector<std::string>& visibleNames);

// The registered printer when it is not among the visible printers: its registered name
// (UTF-8; empty when only its number is known). Nothing when it is there, when it is the
// system default (-1), when it is a device file ("/..."), or when the number is not a whole number (selecting it raises
// the conversion error). Such a printer is never replaced by another behind the user's back.
std::optional<std::string> MissingPrinter(const PrinterRegistration& entry,
                                          const std::vector<std::string>& visibleNames);

} // namespace registration
