#include "PrinterRegistration.h"

#include "Cp932.h"
#include "ProfileFile.h"

#include <algorithm>
#include <charconv>

namespace registration {
namespace {

const char* const kName = "PrnName";
const char* const kIndex = "PrnNoIndex";
const char* const kTop = "denPrn_Top";
const char* const kLeft = "denPrn_Left";

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string trimmed(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlankOrControl);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

bool isWholeNumber(const std::string& text, int& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// A stored number that stands for one printer (not the system default); nothing otherwise.
bool isListedNumber(const std::string& text, int& number)
{
    return isWholeNumber(text, number) && number != -1;
}

} // namespace

std::filesystem::path RegistrationFile(const std::filesystem::path& folder)
{
    return folder / kFileName;
}

PrinterRegistration Load(const std::filesystem::path& file, const std::string& section)
{
    PrinterRegistration entry;
    entry.printerName = ProfileFile::ReadString(file, section, kName, "");
    entry.printerIndex = ProfileFile::ReadString(file, section, kIndex, "0");
    entry.top = ProfileFile::ReadString(file, section, kTop, "0");
    entry.left = ProfileFile::ReadString(file, section, kLeft, "0");
    return entry;
}

void Write(const std::filesystem::path& file, const std::string& section, const PrinterRegistration& entry)
{
    ProfileFile::WriteString(file, section, kName, trimmed(entry.printerName));
    ProfileFile::WriteString(file, section, kIndex, entry.printerIndex);
    ProfileFile::WriteString(file, section, kTop, entry.top);
    ProfileFile::WriteString(file, section, kLeft, entry.left);
}

std::string ResolvePrinterIndex(const PrinterRegistration& entry, const std::vector<std::string>& visibleNames)
{
    int stored = 0;
    const std::string name = cp932::ToUtf8(trimmed(entry.printerName));
    if (name.empty() || !isListedNumber(trimmed(entry.printerIndex), stored)) {
        return entry.printerIndex;
    }
    const auto found = std::find(visibleNames.begin(), visibleNames.end(), name);
    if (found == visibleNames.end()) {
        return entry.printerIndex;
    }
    const auto position = static_cast<int>(found - visibleNames.begin());
    return position == stored ? entry.printerIndex : std::to_string(position);
}

std::optional<std::string> MissingPrinter(const PrinterRegistration& entry,
                                          const std::vector<std::string>& visibleNames)
{
    int stored = 0;
    if (!isListedNumber(trimmed(entry.printerIndex), stored)) {
        return std::nullopt;
    }
    const std::string name = cp932::ToUtf8(trimmed(entry.printerName));
    if (name.empty()) {
        const bool listed = stored >= 0 && stored < static_cast<int>(visibleNames.size());
        return listed ? std::nullopt : std::optional<std::string>(name);
    }
    const bool listed = std::find(visibleNames.begin(), visibleNames.end(), name) != visibleNames.end();
    return listed ? std::nullopt : std::optional<std::string>(name);
}

} // namespace registration
