#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <string>

class Canvas;

// The slip date as the form wants it, "yyyy/MM/dd", whatever the locale: the year, month
// and day are taken from fixed character positions.
std::string SlipDateText(int year, int month, int day);

// Draws one slip onto the canvas of an open print job, every field at its fixed place on
// the carrier's form, placed by `state`. Throws before drawing anything when the state has no
// resolution.
void DrawSlip(const Slip& slip, const SlipPrintState& state, Canvas& canvas);
