#include "widgets/NumEditLayout.h"

namespace numedit {

LayoutRects ComputeLayout(const LayoutInput& in)
{
    const int ml = in.leftMarkWidth;
    const int mr = in.rightMarkWidth;
    const int a = in.layoutWidth;
    const int block = ml + a + mr;
    const int inner = in.clientWidth - in.leftMargin - in.rightMargin;

    int y = 0;
    switch (in.vertAlignment) {
    case taTopJustify:
        y = in.topMargin;
        break;
    case taBottomJustify:
        y = in.clientHeight - in.textHeight - in.bottomMargin;
        break;
    case taVCenter:
        y = (in.clientHeight - in.textHeight - in.topMargin - in.bottomMargin) / 2 + in.topMargin;
        break;
    }

    int x0 = 0;
    switch (in.alignment) {
    case taLeftJustify:
        x0 = in.leftMargin;
        break;
    case taRightJustify:
        x0 = in.clientWidth - mr - in.rightMargin - a - ml - 1;
        break;
    case taCenter:
        x0 = in.leftMargin + inner / 2 - block / 2;
        break;
    }

    const int bottom = y + in.textHeight;
    const int layoutRight = x0 + ml + a;
    // Centred, the right mark is placed from the middle, so an odd block loses a pixel here.
    const int rightMarkLeft = in.alignment == taCenter ? in.leftMargin + inner / 2 + block / 2 - mr : layoutRight;

    LayoutRects rects;
    rects.leftMark = {x0, y, x0 + ml, bottom};
    rects.layout = {x0 + ml, y, layoutRight, bottom};
    rects.text = {layoutRight - in.textWidth, y, layoutRight, bottom};
    rects.rightMark = {rightMarkLeft, y, rightMarkLeft + mr, bottom};
    return rects;
}

std::string MakeCaretText(std::string_view value, const numvalue::NumFormat& format)
{
    numvalue::ValueParts parts = numvalue::SplitValue(value);
    if (format.Comma) {
        parts.integer = numvalue::InsertCommas(parts.integer);
    }
    if ((format.IntegerFixed || format.DecimalFixed) && parts.integer.empty()) {
        parts.integer = "0";
    }
    return numvalue::JoinValue(parts);
}

bool MarksShown(std::string_view value, const numvalue::NumFormat& format)
{
    return !value.empty() || format.IntegerFixed || format.DecimalFixed;
}

} // namespace numedit
