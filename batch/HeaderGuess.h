#pragma once

#include "batch/OrderFormat.h"

#include <string>
#include <vector>

namespace batch {

// The columns of a file without a known format whose headers name a slip field ("氏名",
// "お届け先住所1", "ＴＥＬ", "商品名", …), so that the user only checks the mapping. Each
// column serves one field, and the first column naming a field wins. Blanks, width and
// case do not matter, nor a destination prefix such as お届け先 or 送付先.
ColumnMap GuessColumns(const std::vector<std::string>& header);

} // namespace batch
