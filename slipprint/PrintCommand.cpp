#include "slipprint/PrintCommand.h"

#include "printers/EPrinterAccess.h"
#include "printers/TPrinterAccess.h"

namespace printcommand {
namespace {

int effectiveDpi(int dpi, unsigned scale)
{
    const int percent = scale == 0 ? 100 : static_cast<int>(scale);
    return dpi * 100 / percent;
}

} // namespace

bool SelectPrinterNumber(TPrinterAccess& printer, int number)
{
    try {
        printer.SetIndex(number);
        return true;
    } catch (const EPrinterAccessRangeError&) {
        printer.SetIndex(0);
        return false;
    }
}

EffectiveResolution EffectiveResolutionOf(TPrinterAccess& printer)
{
    EffectiveResolution result;
    int x = 0;
    int y = 0;
    printer.GetResolution(x, y);
    result.x = effectiveDpi(x, printer.GetScale());
    printer.GetResolution(x, y);
    result.y = effectiveDpi(y, printer.GetScale());
    return result;
}

void PrintJob(TPrinterAccess& printer, const std::function<void()>& drawSlip, double pageLengthPt)
{
    PrintJob(printer, kJobTitle, drawSlip, pageLengthPt);
}

void PrintJob(TPrinterAccess& printer, const std::string& title, const std::function<void()>& draw, double pageLengthPt)
{
    printer.BeginDoc(title, pageLengthPt);
    try {
        draw();
    } catch (...) {
        printer.Abort();
        throw;
    }
    printer.EndDoc();
}

} // namespace printcommand
