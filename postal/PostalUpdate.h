#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

namespace postal {

// Reads Japan Post's files (see JapanPostFile.h) and replaces mivo_postal.dat in the working
// folder with their entries, an entry given twice kept once. Returns the number of entries
// written. On any fault the old mivo_postal.dat stays as it was; throws JapanPostFileError
// for a bad file, DataFormatError for a list too large to store and FileWriteError.
std::size_t updateDirectory(const std::vector<std::filesystem::path>& files,
                            const std::filesystem::path& workingFolder);

} // namespace postal
