#include "escp/EscpJob.h"

#include "escp/BitImageBands.h"
#include "escp/DirectPrintState.h"
#include "escp/EscpCommands.h"
#include "escp/FormCanvas.h"
#include "escp/SlipBitmap.h"
#include "escp/TextCanvas.h"
#include "escp/TextPage.h"
#include "slipprint/SlipDrawing.h"

#include <optional>
#include <stdexcept>

namespace {

// One form canvas for the whole stream, so that a text met again is not drawn again.
void appendSlipBody(std::string& out, const Slip& slip, const SlipPrintState& state, FormCanvas* picture,
                    const EscpForm& form)
{
    if (picture != nullptr) {
        picture->clear();
        DrawSlip(slip, state, *picture);
        escp::appendPicture(out, picture->picture());
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
    std::optional<FormCanvas> picture;
    if (mode == OutputMode::EscpImage) {
        picture.emplace(form);
    }
    for (std::size_t i = 0; i < slips.size(); ++i) {
        appendSlipBody(out, slips[i], state, picture ? &*picture : nullptr, form);
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
