#pragma once

#include "cli/Command.h"

// `mivo-kangaroo import [--smart] [--cp932] [FILE]`: the window's text transfer without a
// window, from FILE or standard input to UTF-8 JSON on standard output. 0 transferred, 1
// refused (the window's notice on standard error) or the input or output failed, 2 bad usage.
const Command& ImportCommand();
