#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

// Where the slip engine reads the slip and its print state: the main window.
class SlipSource
{
public:
    virtual ~SlipSource() = default;
    virtual Slip currentSlip() const = 0;
    virtual SlipPrintState printState() const = 0;
};
