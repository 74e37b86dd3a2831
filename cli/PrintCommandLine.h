#pragma once

#include "cli/Command.h"

// `mivo-kangaroo print [--printer NAME] [--paper 0|1]`: the slip of the last session printed
// without a window, for scripts, on the registered printer or on NAME.
const Command& PrintCommand();
