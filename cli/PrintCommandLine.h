#pragma once

#include <iosfwd>

// `mivo-kangaroo print [--printer NAME] [--paper 0|1]`: the slip of the last session printed
// without a window, for scripts. Loads what the window loads at start (the settings file, the
// registration of the paper selection, sender 1) and runs the print command without its
// question, on the registered printer or on NAME. Prints nothing on standard output; an
// error goes to `err` and the status is 1.
int RunPrintCommand(int argc, char* argv[], std::ostream& err);
