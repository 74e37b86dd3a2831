#pragma once

#include <functional>
#include <string>

class TPrinterAccess;

namespace printcommand {

// The title every slip job carries: the name and two blanks.
inline const std::string kJobTitle = "mivo_Kangaroo  ";

struct EffectiveResolution
{
    int x = 0;
    int y = 0;
};

// Selects the printer with this number (-1: the system's default). A number outside the
// list selects the first printer instead and returns false.
bool SelectPrinterNumber(TPrinterAccess& printer, int number);

// The printer's resolution divided by its scale: what one slip dot is on paper. A printer
// that reports a scale of 0 counts as 100 percent.
EffectiveResolution EffectiveResolutionOf(TPrinterAccess& printer);

// One slip, one job of one page on the current printer: begins the job, lets `drawSlip`
// draw, and ends it. When drawing fails the job is aborted, so nothing is printed, and the
// error goes on to the caller. `pageLengthPt`: the page's length when not the paper's
// (continuous forms), 0 otherwise.
void PrintJob(TPrinterAccess& printer, const std::function<void()>& drawSlip, double pageLengthPt = 0);
// The same for a page of another kind, under its own title.
void PrintJob(TPrinterAccess& printer, const std::string& title, const std::function<void()>& draw,
              double pageLengthPt = 0);

} // namespace printcommand
