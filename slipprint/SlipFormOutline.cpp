#include "slipprint/SlipFormOutline.h"

#include "slipprint/SlipGeometry.h"

namespace slipform {
namespace {

// Room around an item's reference point, in slip units.
constexpr int kInsetLeft = 8;
constexpr int kInsetTop = 6;
constexpr int kPaddingBottom = 6;

struct Field
{
    const char* caption;
    const char* name;
    const char* section;
};

// A box around a text of `points` whose top-left lands at (x, y).
Box around(const Field& field, int x, int y, int width, int points)
{
    const int textHeight = points * slipgeometry::kSlipUnitsPerInch / 72;
    return {field.caption,
            field.name,
            field.section,
            x,
            y,
            x - kInsetLeft,
            y - kInsetTop,
            width,
            kInsetTop + textHeight + kPaddingBottom};
}

std::vector<Box> layoutBoxes()
{
    return {
        around({"お届け日 月", "お届け月", "お届け日"}, 180, 10, 62, 12),
        around({"日", "お届け日", "お届け日"}, 250, 10, 62, 12),
        around({"9時まで", "9時まで", "指定時間"}, 450, 1, 120, 26),
        around({"10時まで", "10時まで", "指定時間"}, 600, 1, 120, 26),
        around({"午前中", "午前中", "指定時間"}, 750, 1, 120, 26),
        around({"年", "発送年", "発送日"}, 310, 66, 100, 9),
        around({"月", "発送月", "発送日"}, 440, 66, 70, 9),
        around({"日", "発送日", "発送日"}, 560, 66, 70, 9),
        around({"品名", "品名①", "品名"}, 240, 160, 420, 11),
        around({"", "品名②", "品名"}, 240, 200, 420, 11),
        around({"", "品名③", "品名"}, 240, 240, 420, 11),
        around({"お届け先 電話", "でんわ", "お届け先"}, 290, 320, 360, 16),
        around({"〒", "郵便番号", "お届け先"}, 230, 375, 200, 11),
        around({"住所", "おところ①", "お届け先"}, 214, 430, 446, 11),
        around({"", "おところ②", "お届け先"}, 214, 480, 446, 11),
        around({"お名前", "おなまえ", "お届け先"}, 214, 535, 446, 11),
        around({"ご依頼主 電話", "ご依頼主 でんわ", "ご依頼主"}, 720, 320, 340, 14),
        around({"〒", "ご依頼主 郵便番号", "ご依頼主"}, 690, 375, 200, 11),
        around({"住所", "ご依頼主 おところ①", "ご依頼主"}, 680, 430, 380, 11),
        around({"", "ご依頼主 おところ②", "ご依頼主"}, 680, 480, 380, 11),
        around({"お名前", "ご依頼主 おなまえ", "ご依頼主"}, 680, 535, 380, 11),
        around({"個数", "個数", "個数"}, 1078, 520, 56, 11),
    };
}

} // namespace

const std::vector<Box>& Boxes()
{
    static const std::vector<Box> boxes = layoutBoxes();
    return boxes;
}

} // namespace slipform
