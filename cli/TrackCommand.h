#pragma once

#include "cli/Command.h"

// `mivo-kangaroo track ID NUMBER`, `track ID --clear` and `track --file FILE`: gives journal
// entries the tracking numbers of their forms. A file holds `order,number` or `id,number`
// lines; its good lines are stored and each bad one is named on standard error. Exit status 1
// when a number or line was refused.
const Command& TrackCommand();
