#pragma once

#include "jobs/JournalledPrint.h"
#include "preview/PreviewRenderer.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class PrintTarget;
class TPrinterAccess;

// The jobs every front starts: they take a target and the slip, and differ in nothing else.
namespace slipjobs {

// One slip, one page of the target's length, recorded in the journal whatever became of it.
journalprint::Outcome PrintSlip(const PrintTarget& target, const std::filesystem::path& journalFile, const Slip& slip,
                                const std::string& orderNumber = {}, std::int64_t reprintOf = 0);

// A journal entry printed again as it was, with its own margins, on `printerName` (its own
// printer when empty) at that printer's resolution, dated today unless `keepDate`. Throws
// when the printer is not there or the job fails.
journalprint::Outcome Reprint(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                              const journal::JournalEntry& entry, const std::string& printerName, bool keepDate);

// The calibration page on the target, with the target's margins.
void PrintCalibration(const PrintTarget& target, const std::string& title);

// What of the slip would not land where the form wants it on the page: a warning per text
// (UTF-8), empty when the slip fits.
std::vector<std::string> FitWarnings(const PageGeometry& page, const SlipPrintState& state, const Slip& slip);
std::vector<std::string> FitWarnings(const PrintTarget& target, const Slip& slip);

// The slip as a job on the target would put it, for a preview.
PreviewScene Preview(const PrintTarget& target, Slip slip);

} // namespace slipjobs
