#pragma once

class Canvas;
struct Slip;
struct SlipPrintState;

// The slip print engine: draws a slip on the canvas of the job that the print command has
// opened. Keeps nothing between calls.
class TSlipDot
{
public:
    static void SLIP97_Prn(const Slip& slip, const SlipPrintState& state, Canvas& canvas);
};
