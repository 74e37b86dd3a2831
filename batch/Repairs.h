#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace batch {

// A cell as a spreadsheet may have left it: blanks at both ends and the apostrophe that
// marks a cell as text gone, line breaks and tabs inside turned into blanks.
std::string CleanCell(std::string_view cell);
// The part of a cell that cleaning keeps: without the blanks at both ends and the apostrophe.
std::string_view TrimCell(std::string_view cell);

// The postal code as "ddd-dddd", from one cell or from the two parts of a split code.
// Leading zeros that a spreadsheet dropped are put back ("60" + "1", 600001 → 060-0001),
// full-width digits and a "〒" are accepted. Nothing when the digits cannot be a postal code.
std::optional<std::string> RepairZip(std::string_view zip, std::string_view zip2 = {});

// The telephone number in half width, domestic form: "+81 90-1234-5678" → "090-1234-5678".
std::string RepairTel(std::string_view tel);

} // namespace batch
