#pragma once

#include "slipprint/SlipPrintState.h"

// The print state of a slip written straight to the printer: 180 dots per inch both ways and
// the registered margins, which count the registered resolution's dots, in those dots.
// Throws std::invalid_argument when the registered resolution is not known.
SlipPrintState DirectPrintState(const SlipPrintState& registered);
