#pragma once

#include "PostalLookup.h"

#include <filesystem>

// The postal-code list of a working folder as the smart transfer asks it.
smartimport::PostalLookup smartPostalLookup(const std::filesystem::path& workingFolder);
