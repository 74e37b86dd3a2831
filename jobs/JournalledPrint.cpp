#include "jobs/JournalledPrint.h"

#include "journal/Journal.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"

#include <QDate>

#include <algorithm>
#include <stdexcept>

namespace journalprint {
namespace {

// Exactly a day back, whatever a clock change does to the calendar.
constexpr qint64 kDaySeconds = qint64{24} * 60 * 60;

std::string currentPrinterName(TPrinterAccess& printer)
{
    try {
        return printer.Service().currentDevice().device;
    } catch (const std::exception&) {
        return {};
    }
}

journal::JournalEntry entryOf(TPrinterAccess& printer, const Slip& slip, const SlipPrintState& state,
                              const JobContext& context)
{
    journal::JournalEntry entry;
    entry.printer = currentPrinterName(printer);
    entry.paperFeed = context.paperFeed;
    entry.orderNumber = context.orderNumber;
    entry.reprintOf = context.reprintOf;
    entry.slip = slip;
    entry.printState = state;
    return entry;
}

Outcome record(const std::filesystem::path& journalFile, std::vector<journal::JournalEntry> entries)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (journal::JournalEntry& entry : entries) {
        entry.time = now;
    }
    try {
        journal::Journal journal(journalFile);
        const std::vector<std::int64_t> ids = journal.recordJobs(entries);
        return {ids.empty() ? 0 : ids.front(), {}, ids};
    } catch (const journal::JournalError& error) {
        return {0, error.what(), {}};
    }
}

Outcome record(const std::filesystem::path& journalFile, const journal::JournalEntry& entry)
{
    return record(journalFile, std::vector<journal::JournalEntry>{entry});
}

// A batch that stopped while drawing or was cancelled never reached the printer; one whose
// hand-over failed, or that never opened, failed.
journal::JobStatus batchStatus(std::size_t count)
{
    try {
        throw;
    } catch (const printcommand::BatchJobError& error) {
        return error.stoppedAt() < count ? journal::JobStatus::Aborted : journal::JobStatus::Failed;
    } catch (...) {
        return journal::JobStatus::Failed;
    }
}

void selectByName(TPrinterAccess& printer, const std::string& name)
{
    const auto& names = printer.GetPrinterNames();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        throw std::runtime_error("no printer named " + name);
    }
    const int index = static_cast<int>(found - names.begin());
    if (index != printer.Index()) {
        printer.SetIndex(index);
    }
}

} // namespace

Outcome PrintAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile, const Slip& slip,
                       const SlipPrintState& state, const JobContext& context, const std::function<void()>& drawSlip)
{
    journal::JournalEntry entry = entryOf(printer, slip, state, context);
    bool drawing = false;
    try {
        printcommand::PrintJob(printer, [&] {
            drawing = true;
            drawSlip();
            drawing = false;
        });
    } catch (const std::exception& error) {
        entry.status = drawing ? journal::JobStatus::Aborted : journal::JobStatus::Failed;
        entry.message = error.what();
        record(journalFile, entry);
        throw;
    }
    const JobReceipt receipt = printer.Service().lastJob();
    entry.cupsJobId = receipt.jobId;
    entry.pdfFile = receipt.file;
    return record(journalFile, entry);
}

Outcome PrintBatchAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                            const std::vector<BatchPage>& pages, const std::string& paperFeed,
                            const std::function<void()>& runJob)
{
    std::vector<journal::JournalEntry> entries;
    entries.reserve(pages.size());
    for (const BatchPage& page : pages) {
        entries.push_back(entryOf(printer, page.slip, page.state, {paperFeed, page.orderNumber, 0}));
    }
    try {
        runJob();
    } catch (const std::exception& error) {
        const journal::JobStatus status = batchStatus(pages.size());
        for (journal::JournalEntry& entry : entries) {
            entry.status = status;
            entry.message = error.what();
        }
        record(journalFile, std::move(entries));
        throw;
    }
    const JobReceipt receipt = printer.Service().lastJob();
    for (journal::JournalEntry& entry : entries) {
        entry.cupsJobId = receipt.jobId;
        entry.pdfFile = receipt.file;
    }
    return record(journalFile, std::move(entries));
}

Outcome Reprint(TPrinterAccess& printer, const std::filesystem::path& journalFile, const journal::JournalEntry& entry,
                const std::string& printerName, bool keepDate)
{
    selectByName(printer, printerName.empty() ? entry.printer : printerName);
    Slip slip = entry.slip;
    SlipPrintState state = entry.printState;
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    state.dpix = std::to_string(resolution.x);
    state.dpiy = std::to_string(resolution.y);
    if (!keepDate) {
        const QDate today = QDate::currentDate();
        slip.slipYear = today.year();
        slip.slipMonth = today.month();
        slip.slipDay = today.day();
    }
    const JobContext context{entry.paperFeed, entry.orderNumber, entry.id};
    return PrintAndRecord(printer, journalFile, slip, state, context, [&] { DrawSlip(slip, state, printer.Canvas()); });
}

bool PrintedInLastDay(const std::filesystem::path& journalFile, const Slip& slip)
{
    try {
        journal::Journal journal(journalFile, journal::Journal::Access::ReadOnly);
        return journal.printedSince(slip, QDateTime::currentDateTime().addSecs(-kDaySeconds));
    } catch (const journal::JournalError&) {
        return false;
    }
}

} // namespace journalprint
