#pragma once

#include "escp/EscpForm.h"
#include "escp/TextCanvas.h"

#include <string>
#include <vector>

namespace escp {

// The texts of one slip in the printer's fonts, from top-of-form: lines in order down the
// form (ESC J), each text at its dot (ESC $, ESC \), in the printer's nearest size. What
// lies left of or below the form is not printed, as on the picture. Ends on the last line.
void appendTextPage(std::string& out, const std::vector<TextCanvas::Text>& texts, const EscpForm& form);

} // namespace escp
