#pragma once

#include "cli/Command.h"

// `mivo-kangaroo batch FILE [--format NAME] [--encoding utf-8|cp932] [--map …] [--sender 1-10]
// [--paper 0|1] [--printer NAME] [--only 1,3-5] [--from N] [--dry-run]`: the slips of a shop's
// order export. The dry run prints nothing on paper and writes the slips as JSON to standard
// output; otherwise the chosen slips are printed as one job and a summary goes to standard error.
const Command& BatchCommand();
