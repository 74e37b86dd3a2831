#pragma once

#include <iosfwd>

// `mivo-kangaroo manifest [--date YYYY-MM-DD] [--sender 1-10] --out FILE.pdf`: the driver's
// list of the slips printed that day (by default today), of one registered sender or of all,
// written atomically as an A4 PDF. Exit status 1 when the journal cannot be read or the file
// written, 2 on bad usage.
int RunManifestCommand(int argc, char* argv[], std::ostream& err);
