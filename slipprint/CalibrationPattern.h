#pragma once

#include "slipprint/SlipPrintState.h"

class Canvas;

// The page printed to line the printer up with the form: cross-hairs on three reference
// points of the slip (the delivery date, the slip date row, the first goods line), a
// millimetre scale along the left and bottom edges of the slip, and the margins and
// resolution written beside the scales. Everything goes through the slip's own mapping, so
// a margin moved by N dots moves every mark by N dots. Throws as the slip does.
void DrawCalibrationPattern(const SlipPrintState& state, Canvas& canvas);
