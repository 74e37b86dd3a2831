#pragma once

#include "cli/Command.h"

// `mivo-kangaroo shipped --platform NAME [--date YYYY-MM-DD | --since YYYY-MM-DD] [--out FILE]`:
// the platform's shipped file (rakuten, amazon, generic) for the slips printed that day (by
// default today) or since that day, on standard output or written atomically to FILE. The
// entries in it are marked as exported, only once the file is out; those left out are counted
// on standard error. 1 when the journal or the file cannot be read or written.
const Command& ShippedCommand();
