#pragma once

#include "widgets/NumEditTypes.h"
#include "widgets/NumValue.h"

#include <string>
#include <string_view>

namespace numedit {

// Client pixels; right and bottom are exclusive.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// Measured widths and the geometry a field's layout depends on.
struct LayoutInput
{
    int clientWidth = 0;
    int clientHeight = 0;
    int textHeight = 0;
    int leftMargin = 2;
    int topMargin = 2;
    int rightMargin = 2;
    int bottomMargin = 2;
    TAlignment alignment = taRightJustify;
    TVertAlignment vertAlignment = taVCenter;
    int layoutWidth = 0;    // the layout template
    int textWidth = 0;      // the formatted number
    int leftMarkWidth = 0;  // 0 when no number is shown
    int rightMarkWidth = 0; // 0 when no number is shown
};

struct LayoutRects
{
    Rect leftMark;
    Rect layout;
    Rect text;
    Rect rightMark;
};

// Left mark, layout box, number and right mark placed inside the field. The number is
// right-aligned in the layout box so that a fixed template keeps its right end still.
LayoutRects ComputeLayout(const LayoutInput& in);

// The typed part of the number as displayed (commas, no padding zeros): the caret stands after it.
std::string MakeCaretText(std::string_view value, const numvalue::NumFormat& format);

// Whether the marks take room: only while a number is shown.
bool MarksShown(std::string_view value, const numvalue::NumFormat& format);

} // namespace numedit
