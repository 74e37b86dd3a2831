#pragma once

#include "cli/Command.h"

// `mivo-kangaroo manifest [--date YYYY-MM-DD] [--sender 1-10] --out FILE.pdf`: the driver's
// list of the slips printed that day (by default today), of one registered sender or of all,
// written atomically as an A4 PDF. It only reads the journal. 1 when the journal cannot be
// read or the file written.
const Command& ManifestCommand();
