#pragma once

#include "slipprint/SlipPrintState.h"

// The print state of a slip written straight to the printer: 180 dots per inch both ways and
// the registered margins, which count the registered resolution's dots, in those dots.
// Raises the conversion error of the slip drawing for a resolution or margin that is no number.
SlipPrintState DirectPrintState(const SlipPrintState& registered);
