#pragma once

// Where and how finely a slip lands on the paper: the printer's effective resolution and the
// paper feed's registered margins, in printer dots. Margins typed as text are turned into
// dots where the text enters (margins::MarginDots), never while drawing.
struct SlipPrintState
{
    int dpiX = 0;
    int dpiY = 0;
    int top = 0;
    int left = 0;

    bool operator==(const SlipPrintState&) const = default;
};
