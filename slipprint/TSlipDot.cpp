#include "slipprint/TSlipDot.h"

#include "slipprint/SlipDrawing.h"

void TSlipDot::SLIP97_Prn(const Slip& slip, const SlipPrintState& state, Canvas& canvas)
{
    DrawSlip(slip, state, canvas);
}
