#pragma once

#include "jobs/JournalledPrint.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class PrintTarget;

// Jobs on a direct feed: the printer's own command stream, built whole and then sent to the
// feed's raw queue or device file. The printer layer's print job is never opened.
namespace directjobs {

// The pages as one stream, a form each, recorded in the journal an entry per page whatever
// became of the job. `progress(done)` after each slip is built; false cancels before anything
// is sent (printcommand::BatchJobError).
journalprint::Outcome SendSlips(const PrintTarget& target, const std::filesystem::path& journalFile,
                                const std::vector<journalprint::BatchPage>& pages,
                                const journalprint::JobContext& context,
                                const std::function<bool(std::size_t)>& progress = {});

// The calibration pattern as one form of bit image, whatever the feed's mode: its lines have
// no printer font.
void SendCalibration(const PrintTarget& target, const std::string& title);

} // namespace directjobs
