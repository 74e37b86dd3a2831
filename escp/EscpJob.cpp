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
                            const EscpForm& form, const std::function<void(std::size_t)>& afterSlip)
{
    if (mode == OutputMode::Driver) {
        throw std::invalid_argument("The driver's output is not an ESC/P stream");
    }
    const SlipPrintState state = DirectPrintState(registered);
    std::string out;
    escp::appendReset(out);
    escp::appendFormLength(out, form.lengthDots);
    for (std::size_t i = 0; i < slips.size(); ++i) {
        appendSlipBody(out, slips[i], state, mode, form);
        escp::appendFormFeed(out);
        if (afterSlip) {
            afterSlip(i + 1);
        }
    }
    return out;
}

std::string BuildEscpPictureStream(const std::function<void(Canvas&)>& draw, const EscpForm& form)
{
    std::string out;
    escp::appendReset(out);
    escp::appendFormLength(out, form.lengthDots);
    escp::appendPicture(out, DrawFormBitmap(draw, form));
    escp::appendFormFeed(out);
    return out;
}
