#pragma once

#include <functional>

class Canvas;
class SlipSource;

// The slip print engine: draws the slip of the main window's fields on the canvas of the
// print job that the print command has opened. Keeps nothing between calls.
class TSlipDot
{
public:
    using CanvasProvider = std::function<Canvas&()>;

    TSlipDot(const SlipSource& source, CanvasProvider canvas);

    void SLIP97_Prn();

private:
    const SlipSource& m_source;
    CanvasProvider m_canvas;
};
