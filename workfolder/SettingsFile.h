#pragma once

#include <filesystem>
#include <string>

// The last slip as the settings file keeps it. Texts are code page 932 bytes.
struct SlipSettings
{
    // Read only: the printer registration replaces them before the window is ready.
    int printerIndex = -1;
    int printTop = 0;
    int printLeft = 0;

    int addressFont = 1; // index of the hidden font-size choice
    std::string senderName;
    std::string senderZip;
    std::string senderAddress1;
    std::string senderAddress2;
    std::string senderTel;
    std::string zip;
    std::string address1;
    std::string address2;
    std::string customer;
    std::string tel;
    std::string goods1;
    std::string goods2;
    std::string goods3;
    std::string pieceCount = "1";
    std::string deliveryMonth;
    std::string deliveryDay;
    int paperIndex = 0; // index of the paper choice; may lie outside the list
};

namespace SettingsFile {

inline constexpr const char* kFileName = "mivo_Kangaroo.ini";
inline constexpr const char* kSection = "mv_Kangarooprn";

// The settings file in `folder`.
std::filesystem::path In(const std::filesystem::path& folder);

// Every entry, or its default when the file, the section or the entry is missing; the file is
// read once.
SlipSettings Read(const std::filesystem::path& file);

// Writes the entries in their order, never the three printer entries, as one replacement of
// the file. A failing write throws FileWriteError and leaves every old entry as it was.
void Write(const std::filesystem::path& file, const SlipSettings& settings);

} // namespace SettingsFile
