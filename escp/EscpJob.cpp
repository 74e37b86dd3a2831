#include "escp/EscpJob.h"

#include "escp/BitImageBands.h"
#include "escp/DirectPrintState.h"
#include "escp/EscpCommands.h"
#include "escp/SlipBitmap.h"
#include "escp/TextCanvas.h"
#include "escp/TextPage.h"
#include "slipprint/SlipDrawing.h"

#include <stdexcept>

namespace {

void appendSlipBody(std::string& out, const Slip& slip, const SlipPrintState& state, OutputMode mode,
                    const EscpForm& form)
{
    if (mode == OutputMode::EscpImage) {
        escp::appendPicture(out, DrawSlipBitmap(slip, state, form));
        return;
    }
    TextCanvas canvas;
    DrawSlip(slip, state, canvas);
    escp::appendTextPage(out, canvas.texts(), form);
}

} // namespace

std::string BuildEscpStream(const std::vector<Slip>& slips, const SlipPrintState& registered, OutputMode mode,
                            const EscpForm& form)
{
    if (mode == OutputMode::Driver) {
        throw std::invalid_argument("The driver's output is not an ESC/P stream");
    }
    const SlipPrintState state = DirectPrintState(registered);
    std::string out;
    escp::appendReset(out);
    escp::appendFormLength(out, form.lengthDots);
    for (const Slip& slip : slips) {
        appendSlipBody(out, slip, state, mode, form);
        escp::appendFormFeed(out);
    }
    return out;
}
