#pragma once

#include "cli/Command.h"

// `mivo-kangaroo postal CODE`: the entries of a postal code as a UTF-8 JSON array. 0 found,
// 1 unknown code ("郵便番号 CODE は見つかりません" on standard error), 2 no postal code.
const Command& PostalCommand();

// `mivo-kangaroo postal-update FILE…`: Japan Post's files into mivo_postal.dat in the working
// folder. 1 when a file could not be used (nothing changed; the message names file and line).
const Command& PostalUpdateCommand();
