#pragma once

#include "smartimport/WideText.h"

#include <vector>

namespace smartimport {

// An order taken down in one run ("送り先 …一番町4-2-1 郵便番号790-0001 村上様 電話089-…",
// "お届け先は〒…の長尾様、お電話は…、ご依頼主は…") as the lines it would have been written on:
// split at "、" and "。", before each heading, postal-code or telephone label, and between an
// address and the name joined to it by "の". Any other line comes back whole. `line` is
// width-normalised and trimmed.
std::vector<Text> runOnPieces(TextView line);

} // namespace smartimport
