#pragma once

#include "smartimport/WideText.h"

#include <string_view>
#include <vector>

namespace smartimport {

// The lines of a mail as the reader takes them: width-normalised and trimmed. A row pasted from
// a spreadsheet becomes one line per cell, so that a name is never glued to the address beside
// it; under a pasted header row, each cell is labelled with its column's header.
std::vector<Text> mailLines(std::string_view utf8);

} // namespace smartimport
