#pragma once

#include "escp/EscpForm.h"
#include "escp/OutputMode.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <string>
#include <vector>

// The printer's whole command stream for one job, built in memory before anything is sent:
// reset, the form length of one form, and per slip its body and one form feed, so that N
// slips advance exactly N forms. `registered` is the feed's registered print state; `mode`
// is one of the direct modes. Raises the conversion error for a bad resolution or margin and
// std::invalid_argument for the driver mode or a form length the printer cannot take.
std::string BuildEscpStream(const std::vector<Slip>& slips, const SlipPrintState& registered, OutputMode mode,
                            const EscpForm& form);
