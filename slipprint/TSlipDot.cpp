#include "slipprint/TSlipDot.h"

#include "slipprint/SlipDrawing.h"
#include "slipprint/SlipSource.h"

#include <utility>

TSlipDot::TSlipDot(const SlipSource& source, CanvasProvider canvas) : m_source(source), m_canvas(std::move(canvas)) {}

void TSlipDot::SLIP97_Prn()
{
    DrawSlip(m_source.currentSlip(), m_source.printState(), m_canvas());
}
