#pragma once

#include "cli/Command.h"

// `mivo-kangaroo preview [--paper 0|1] [--printer NAME] [--dpi N] --out FILE.png|FILE.pdf`:
// the preview of the last session's slip, as `print` would print it, written without a window.
const Command& PreviewCommand();
