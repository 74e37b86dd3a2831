#pragma once

#include "smartimport/PostalLookup.h"

namespace postal {
class PostalDirectory;
}

// A postal-code list as the smart transfer asks it; the list must outlive the lookup.
smartimport::PostalLookup smartPostalLookup(const postal::PostalDirectory& directory);
