#pragma once

#include <string>

namespace postal {

// The town of a Japan Post residential record as an address names it (UTF-8): the notes
// "以下に掲載がない場合", "…の次に番地がくる場合" and "…一円" mean no town; parenthesised parts
// (sub-areas, number ranges, "その他") are dropped, except a building's floor, which stays
// without its parentheses ("…ビル（１階）" → "…ビル１階"). An unclosed part runs to the end.
std::string townOfRecord(const std::string& town);

} // namespace postal
