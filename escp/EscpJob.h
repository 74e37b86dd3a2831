#pragma once

#include "escp/EscpForm.h"
#include "escp/OutputMode.h"
#include "platform/Canvas.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The printer's whole command stream for one job, built in memory before anything is sent:
// reset, the form length of one form, and per slip its body and one form feed, so that N
// slips advance exactly N forms. `registered` is the feed's registered print state; `mode`
// is one of the direct modes. Raises the conversion error for a bad resolution or margin and
// std::invalid_argument for the driver mode or a form length the printer cannot take.
// `afterSlip(done)` runs after each slip's body; what it throws stops the build.
std::string BuildEscpStream(const std::vector<Slip>& slips, const SlipPrintState& registered, OutputMode mode,
                            const EscpForm& form, const std::function<void(std::size_t)>& afterSlip = {});

// One form of whatever `draw` draws on a canvas of 180-dpi dots from the top-of-form (a
// pattern with lines, which the printer's fonts cannot show), as bit image.
std::string BuildEscpPictureStream(const std::function<void(Canvas&)>& draw, const EscpForm& form);
