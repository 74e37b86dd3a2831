#pragma once

#include <string>
#include <vector>

// The carrier's form as the slip layout implies it: one box per printed item, with the
// caption the form prints beside it. Positions in slip units, where the items land with
// no margins; for drawing under a preview, never printed.
namespace slipform {

struct Box
{
    std::string caption;
    // The field whose text the box holds, and the part of the form it belongs to, as a user
    // names them ("おところ②", "お届け先").
    std::string field;
    std::string section;
    // Where the field's text begins.
    int textX = 0;
    int textY = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

const std::vector<Box>& Boxes();

// A 4-inch continuous form folds every four inches of paper.
inline constexpr double kContinuousFoldInches = 4.0;

} // namespace slipform
