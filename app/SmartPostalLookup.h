#pragma once

#include "PostalLookup.h"

#include <filesystem>

// The postal-code list of a working folder as the smart transfer asks it.
smartimport::PostalLookup SmartPostalLookup(const std::filesystem::path& workingFolder);
