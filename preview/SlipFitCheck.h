#pragma once

#include "printers/PageGeometry.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipFit.h"
#include "slipprint/SlipPrintState.h"

#include <vector>

namespace preview {

// Each text of the slip as the drawing puts it, measured with the font and size the printer's
// canvas uses: the width a byte count cannot tell.
std::vector<DrawnText> MeasureSlip(const Slip& slip, const SlipPrintState& state);

// The slip's texts that leave the page's printable area or run into another field's box;
// nothing for a state without a resolution, which the job itself reports.
std::vector<FitProblem> CheckSlipFit(const Slip& slip, const SlipPrintState& state, const PageGeometry& page);

} // namespace preview
