#pragma once

#include "escp/EscpCommands.h"

// One form as the printer counts it: from the left edge and the top-of-form, in dots of
// 1/180 inch. The continuous form folds every four inches and is ten inches wide.
struct EscpForm
{
    int widthDots = 10 * escp::kDotsPerInch;
    int lengthDots = 4 * escp::kDotsPerInch;

    bool operator==(const EscpForm&) const = default;
};
