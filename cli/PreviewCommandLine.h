#pragma once

#include <iosfwd>

// `mivo-kangaroo preview [--paper 0|1] [--printer NAME] [--dpi N] --out FILE.png|FILE.pdf`:
// the preview of the last session's slip, as `print` would print it, written without a
// window: a PNG at N dpi (default the printer's horizontal resolution) or a vector PDF of the
// paper. Writes nothing else; an error goes to `err` and the status is 1 (2 on bad usage).
int RunPreviewCommand(int argc, char* argv[], std::ostream& err);
