#include "jobs/DirectJobs.h"

#include "escp/EscpJob.h"
#include "jobs/JobInterruption.h"
#include "jobs/PrintTarget.h"
#include "printers/RawOutput.h"
#include "slipprint/BatchJob.h"
#include "slipprint/CalibrationPattern.h"
#include "slipprint/PrintCommand.h"

namespace directjobs {

journalprint::Outcome SendSlips(const PrintTarget& target, const std::filesystem::path& journalFile,
                                const std::vector<journalprint::BatchPage>& pages,
                                const journalprint::JobContext& context,
                                const std::function<bool(std::size_t)>& progress)
{
    const auto build = [&] {
        std::vector<Slip> slips;
        slips.reserve(pages.size());
        for (const journalprint::BatchPage& page : pages) {
            slips.push_back(page.slip);
        }
        interruption::StopIfAsked();
        return BuildEscpStream(slips, target.state(), target.output(), target.form(), [&](std::size_t done) {
            interruption::StopIfAsked();
            if (progress && !progress(done)) {
                throw printcommand::BatchJobError(done, "cancelled");
            }
        });
    };
    const auto handOver = [&](const std::string& stream) {
        return rawoutput::Send(target.device(), printcommand::kJobTitle, stream);
    };
    return journalprint::SendAndRecord(journalFile, pages, target.printerName(), context, build, handOver);
}

void SendCalibration(const PrintTarget& target, const std::string& title)
{
    const std::string stream =
        BuildEscpPictureStream([&](Canvas& canvas) { DrawCalibrationPattern(target.state(), canvas); }, target.form());
    rawoutput::Send(target.device(), title, stream);
}

} // namespace directjobs
