#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// One registered sender: the five sender fields, code page 932 bytes.
struct SenderRecord
{
    std::string zip;
    std::string address1;
    std::string address2;
    std::string name;
    std::string tel;

    bool operator==(const SenderRecord&) const = default;
};

namespace SenderFile {

// "my0.txt" … "my9.txt", relative to the working folder, for the tabs 0 … 9.
std::filesystem::path ForTab(int tabIndex);

// Five lines, each ended by CR LF. A line break inside a field is written as a blank so
// that the fields cannot shift.
std::string Format(const SenderRecord& sender);

// Lines end at CR LF, LF or CR; missing lines leave their fields empty and lines after the
// fifth are ignored.
SenderRecord Parse(std::string_view content);

// Throws std::runtime_error "File not found" when the file does not exist.
SenderRecord Read(const std::filesystem::path& file);

// Replaces the file atomically, so a failed save keeps the sender registered before.
// Throws FileWriteError.
void Write(const std::filesystem::path& file, const SenderRecord& sender);

} // namespace SenderFile
