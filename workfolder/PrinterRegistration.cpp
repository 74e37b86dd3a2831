#include "workfolder/PrinterRegistration.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>

namespace registration {
namespace {

constexpr std::string_view kName = "PrnName";
constexpr std::string_view kIndex = "PrnNoIndex";
constexpr std::string_view kTop = "denPrn_Top";
constexpr std::string_view kLeft = "denPrn_Left";
constexpr std::string_view kOutput = "Output";
constexpr std::string_view kPaperSize = "PaperSize";
constexpr std::string_view kPaperSource = "PaperSource";
constexpr std::string_view kResolution = "Resolution";
constexpr std::string_view kMarginDpi = "MarginDpi";

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

std::optional<std::string> trimmedValue(const std::optional<std::string>& value)
{
    return value ? std::optional<std::string>(trimmed(*value)) : std::nullopt;
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
    static constexpr std::array<std::string_view, 9> kKeys{kName,      kIndex,       kTop,        kLeft,     kOutput,
                                                           kPaperSize, kPaperSource, kResolution, kMarginDpi};
    const std::vector<std::optional<std::string>> values = ProfileFile::ReadValues(file, section, kKeys);
    PrinterRegistration entry;
    entry.printerName = values[0].value_or("");
    entry.printerIndex = values[1].value_or("0");
    entry.top = values[2].value_or("0");
    entry.left = values[3].value_or("0");
    entry.output = trimmed(values[4].value_or(""));
    entry.paperSize = trimmedValue(values[5]);
    entry.paperSource = trimmedValue(values[6]);
    entry.resolution = trimmedValue(values[7]);
    entry.marginDpi = trimmedValue(values[8]);
    return entry;
}

void Write(const std::filesystem::path& file, const std::string& section, const PrinterRegistration& entry)
{
    const std::string name = trimmed(entry.printerName);
    std::vector<ProfileFile::Entry> entries{
        {kName, name},
        {kIndex, entry.printerIndex},
        {kTop, entry.top},
        {kLeft, entry.left},
    };
    if (!entry.output.empty()) {
        entries.push_back({kOutput, entry.output});
    }
    const std::array<std::pair<std::string_view, const std::optional<std::string>*>, 4> optionalKeys{{
        {kPaperSize, &entry.paperSize},
        {kPaperSource, &entry.paperSource},
        {kResolution, &entry.resolution},
        {kMarginDpi, &entry.marginDpi},
    }};
    for (const auto& [key, value] : optionalKeys) {
        if (value->has_value()) {
            entries.push_back({key, **value});
        }
    }
    ProfileFile::WriteValues(file, section, entries);
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
    // A device file (a direct feed's printer) is never among the printer layer's names.
    const bool listed =
        name.front() == '/' || std::find(visibleNames.begin(), visibleNames.end(), name) != visibleNames.end();
    return listed ? std::nullopt : std::optional<std::string>(name);
}

} // namespace registration
