#pragma once

#include "escp/EscpForm.h"
#include "platform/Canvas.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <QImage>

#include <functional>

// The slip as the printer's pins print it: drawn by the slip drawing onto a 1-bit picture of
// the whole form at 180 dots per inch, device (0, 0) at the form's top-left corner.
// `state` is the direct print state (see DirectPrintState).
QImage DrawSlipBitmap(const Slip& slip, const SlipPrintState& state, const EscpForm& form);

// The same for any drawing on a canvas of the form's dots.
QImage DrawFormBitmap(const std::function<void(Canvas&)>& draw, const EscpForm& form);
