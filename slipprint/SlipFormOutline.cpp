#include "slipprint/SlipFormOutline.h"

#include "slipprint/SlipGeometry.h"

namespace slipform {
namespace {

// Room around an item's reference point, in slip units.
constexpr int kInsetLeft = 8;
constexpr int kInsetTop = 6;
constexpr int kPaddingBottom = 6;

// A box around a text of `points` whose top-left lands at (x, y).
Box around(const char* caption, int x, int y, int width, int points)
{
    const int textHeight = points * slipgeometry::kSlipUnitsPerInch / 72;
    return {caption, x - kInsetLeft, y - kInsetTop, width, kInsetTop + textHeight + kPaddingBottom};
}

std::vector<Box> layoutBoxes()
{
    return {
        around("お届け日 月", 180, 10, 62, 12),
        around("日", 250, 10, 62, 12),
        around("9時まで", 450, 1, 120, 26),
        around("10時まで", 600, 1, 120, 26),
        around("午前中", 750, 1, 120, 26),
        around("年", 310, 66, 100, 9),
        around("月", 440, 66, 70, 9),
        around("日", 560, 66, 70, 9),
        around("品名", 240, 160, 420, 11),
        around("", 240, 200, 420, 11),
        around("", 240, 240, 420, 11),
        around("お届け先 電話", 290, 320, 360, 16),
        around("〒", 230, 375, 200, 11),
        around("住所", 214, 430, 446, 11),
        around("", 214, 480, 446, 11),
        around("お名前", 214, 535, 446, 11),
        around("ご依頼主 電話", 720, 320, 340, 14),
        around("〒", 690, 375, 200, 11),
        around("住所", 680, 430, 380, 11),
        around("", 680, 480, 380, 11),
        around("お名前", 680, 535, 380, 11),
        around("個数", 1078, 520, 56, 11),
    };
}

} // namespace

const std::vector<Box>& Boxes()
{
    static const std::vector<Box> boxes = layoutBoxes();
    return boxes;
}

} // namespace slipform
