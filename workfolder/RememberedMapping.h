#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace batch {

// The column mappings the user gave for generic files, one per header row, kept in
// mivo_batch_map.ini of the working folder so that the next file with the same columns
// needs no mapping again.
inline constexpr const char* kMappingFileName = "mivo_batch_map.ini";

// The mapping last given for this header row; empty when there is none.
std::string RememberedMapping(const std::filesystem::path& folder, const std::vector<std::string>& header);

// Keeps `mapping` for this header row. Throws FileWriteError when the file cannot be written.
void RememberMapping(const std::filesystem::path& folder, const std::vector<std::string>& header,
                     const std::string& mapping);

// The folder the batch window last opened an order file from ([Window] LastFolder of the
// same file); empty when there is none or it is gone.
std::filesystem::path RememberedOrderFolder(const std::filesystem::path& folder);

// Keeps `orderFolder` as the one to open order files from next, unless code page 932 cannot
// spell it. Throws FileWriteError when the file cannot be written.
void RememberOrderFolder(const std::filesystem::path& folder, const std::filesystem::path& orderFolder);

} // namespace batch
