#pragma once

#include "cli/Command.h"

// `mivo-kangaroo journal-upload`: copies every entry of the working folder's journal file to
// the chosen server once, by uuid, and says how many were new there. 1 when no server is
// chosen, the folder holds no journal file, or the server does not take them.
const Command& JournalUploadCommand();
