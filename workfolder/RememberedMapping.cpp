#include "workfolder/RememberedMapping.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <cstdint>
#include <cstdio>

namespace batch {
namespace {

std::string joined(const std::vector<std::string>& header)
{
    std::string text;
    for (const std::string& cell : header) {
        text += (text.empty() ? "" : ",") + cell;
    }
    return text;
}

// A section per header row, named by a hash of the row: header names may hold anything,
// section names may not.
std::string sectionOf(const std::vector<std::string>& header)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : joined(header)) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "columns-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

std::string RememberedMapping(const std::filesystem::path& folder, const std::vector<std::string>& header)
{
    const std::filesystem::path file = folder / kMappingFileName;
    const std::string section = sectionOf(header);
    // A hash shared by two header rows must not hand one row's mapping to the other.
    if (ProfileFile::ReadString(file, section, "Header", "") != cp932::FromUtf8(joined(header))) {
        return {};
    }
    return cp932::ToUtf8(ProfileFile::ReadString(file, section, "Map", ""));
}

void RememberMapping(const std::filesystem::path& folder, const std::vector<std::string>& header,
                     const std::string& mapping)
{
    const std::filesystem::path file = folder / kMappingFileName;
    const std::string section = sectionOf(header);
    ProfileFile::WriteString(file, section, "Header", cp932::FromUtf8(joined(header)));
    ProfileFile::WriteString(file, section, "Map", cp932::FromUtf8(mapping));
}

std::filesystem::path RememberedOrderFolder(const std::filesystem::path& folder)
{
    const std::string bytes = ProfileFile::ReadString(folder / kMappingFileName, "Window", "LastFolder", "");
    const std::filesystem::path orderFolder = cp932::ToUtf8(bytes);
    std::error_code error;
    return !bytes.empty() && std::filesystem::is_directory(orderFolder, error) ? orderFolder : std::filesystem::path();
}

void RememberOrderFolder(const std::filesystem::path& folder, const std::filesystem::path& orderFolder)
{
    // A folder the file's code page cannot name would come back as another, missing one.
    if (const auto bytes = cp932::FromUtf8Strict(orderFolder.string())) {
        ProfileFile::WriteString(folder / kMappingFileName, "Window", "LastFolder", *bytes);
    }
}

} // namespace batch
