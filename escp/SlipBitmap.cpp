#include "escp/SlipBitmap.h"

#include "escp/BitImageBands.h"
#include "escp/FormCanvas.h"
#include "platform/QPainterCanvas.h"
#include "slipprint/SlipDrawing.h"

#include <QPainter>

#include <stdexcept>

QImage DrawFormBitmap(const std::function<void(Canvas&)>& draw, const EscpForm& form)
{
    QImage picture = escp::blankPicture(form.widthDots, form.lengthDots);
    QPainter painter;
    if (!painter.begin(&picture)) {
        throw std::runtime_error("Cannot draw the slip picture");
    }
    // A point is 2.5 dots at 180 dots per inch, as on the driver's page.
    const CanvasPlacement placement{0, 0, 1, 1, escp::kDotsPerInch / 72.0};
    QPainterCanvas canvas(painter, placement);
    draw(canvas);
    painter.end();
    return picture;
}

QImage DrawSlipBitmap(const Slip& slip, const SlipPrintState& state, const EscpForm& form)
{
    FormCanvas canvas(form);
    DrawSlip(slip, state, canvas);
    return canvas.picture();
}
