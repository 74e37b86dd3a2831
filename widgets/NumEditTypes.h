#pragma once

// Enumerations of the numeric field, kept free of Qt so that the editing and layout logic
// can be tested without a window.
namespace numedit {

enum TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

enum TVertAlignment
{
    taTopJustify,
    taBottomJustify,
    taVCenter
};

enum TBorderStyle
{
    bsNone,
    bsSingle
};

// A set of options is a bit mask with bit i for member i.
enum TNumEditOption : unsigned
{
    eoMinusOnly = 1u << 0,
    eoArrowUp = 1u << 1,
    eoArrowDown = 1u << 2,
    eoAutoWidthSize = 1u << 3,
    eoORInputStop = 1u << 4
};
using TNumEditOptions = unsigned;

} // namespace numedit
