#pragma once

#include <iosfwd>

// `mivo-kangaroo shipped --platform NAME [--date YYYY-MM-DD | --since YYYY-MM-DD] [--out FILE]`:
// the platform's shipped file (rakuten, amazon, generic) for the slips printed that day (by
// default today) or since that day, on standard output or written atomically to FILE. The
// entries in it are marked as exported; those left out are counted on standard error.
// Exit status 1 when the journal or the file cannot be read or written, 2 on bad usage.
int RunShippedCommand(int argc, char* argv[], std::ostream& out, std::ostream& err);
