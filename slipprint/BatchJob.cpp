#include "slipprint/BatchJob.h"

#include "printers/TPrinterAccess.h"
#include "slipprint/PrintCommand.h"

namespace printcommand {
namespace {

void drawPages(TPrinterAccess& printer, std::size_t count, const std::function<void(std::size_t)>& drawSlip,
               const std::function<bool(std::size_t)>& progress)
{
    for (std::size_t i = 0; i < count; ++i) {
        try {
            if (i > 0) {
                printer.NewPage();
            }
            drawSlip(i);
        } catch (const std::exception& error) {
            throw BatchJobError(i, error.what());
        }
        if (!progress(i + 1)) {
            throw BatchJobError(i + 1, "cancelled");
        }
    }
}

} // namespace

void PrintBatchJob(TPrinterAccess& printer, std::size_t count, const std::function<void(std::size_t)>& drawSlip,
                   const std::function<bool(std::size_t)>& progress, double pageLengthPt)
{
    printer.BeginDoc(kJobTitle, pageLengthPt);
    try {
        drawPages(printer, count, drawSlip, progress);
    } catch (...) {
        printer.Abort();
        throw;
    }
    try {
        printer.EndDoc();
    } catch (const std::exception& error) {
        throw BatchJobError(count, error.what());
    }
}

} // namespace printcommand
