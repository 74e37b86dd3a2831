#pragma once

#include <filesystem>
#include <iosfwd>

namespace postal {
class PostalDirectory;
}

// The postal-code list of the working folder; says so on `err` when a damaged or unreadable
// mivo_postal.dat left the built-in list in its place.
const postal::PostalDirectory& PostalListOf(const std::filesystem::path& folder, const char* command,
                                            std::ostream& err);
