#include "jobs/JournalledPrint.h"

#include "jobs/JobInterruption.h"
#include "journal/Journal.h"
#include "journal/Outbox.h"
#include "journal/SharedJournal.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/PrintCommand.h"

#include <QDate>
#include <QUuid>

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

journal::JournalEntry entryOf(const Slip& slip, const SlipPrintState& state, const JobContext& context)
{
    journal::JournalEntry entry;
    entry.paperFeed = context.paperFeed;
    entry.orderNumber = context.orderNumber;
    entry.reprintOf = context.reprintOf;
    entry.slip = slip;
    entry.printState = state;
    return entry;
}

journal::JournalEntry entryOf(TPrinterAccess& printer, const Slip& slip, const SlipPrintState& state,
                              const JobContext& context)
{
    journal::JournalEntry entry = entryOf(slip, state, context);
    entry.printer = currentPrinterName(printer);
    return entry;
}

// The journal's side of one job. Its entries are stored "sending" before the job is handed
// over, so that a process killed meanwhile leaves them of unknown outcome rather than a
// printed slip without an entry; they are completed once the job ended. When they could not
// be stored first, they are stored complete after the job, as well as the journal allows.
// Entries the chosen server does not take wait complete in the folder's own file; their uuids
// are made here, so that an entry begun on the server is completed there when they are sent.
class JobRecord
{
public:
    JobRecord(std::filesystem::path journalFile, std::vector<journal::JournalEntry> entries, std::string claim = {})
        : m_file(std::move(journalFile)), m_entries(std::move(entries)), m_claim(std::move(claim))
    {
        for (journal::JournalEntry& entry : m_entries) {
            entry.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
        }
        try {
            m_journal = journal::OpenShared(m_file);
            sendKept();
            m_ids = m_journal->beginJobs(m_entries);
        } catch (const journal::JournalError& error) {
            m_beginError = error.what();
        }
    }

    Outcome finish(const journal::JobEnd& end)
    {
        for (journal::JournalEntry& entry : m_entries) {
            entry.status = end.status;
            entry.message = end.message;
            entry.cupsJobId = end.cupsJobId;
            entry.pdfFile = end.pdfFile;
        }
        if (!m_ids.empty()) {
            try {
                m_journal->finishJobs(m_ids, end, m_claim);
                return {m_ids.front(), {}, m_ids};
            } catch (const journal::JournalError& error) {
                return keepForServer(std::string("the entry stays of unknown outcome: ") + error.what(),
                                     {m_ids.front(), {}, m_ids});
            }
        }
        try {
            const std::shared_ptr<journal::Journal> journal = journal::OpenShared(m_file);
            const std::vector<std::int64_t> ids = journal->recordJobs(m_entries);
            if (!journal::CountsAsPrinted(m_entries.front().status)) {
                journal->releaseClaim(m_claim);
            }
            return {ids.empty() ? 0 : ids.front(), {}, ids};
        } catch (const journal::JournalError& error) {
            return keepForServer(m_beginError.empty() ? error.what() : m_beginError, {});
        }
    }

private:
    // Entries that waited for the server go before this job's. One the server does not take
    // waits on, counted in the window, and does not keep this job from being recorded first.
    void sendKept()
    {
        try {
            journal::SendKept(m_file);
        } catch (const journal::JournalError&) {
            return;
        }
    }

    Outcome keepForServer(const std::string& error, const Outcome& unkept)
    {
        if (!journal::ServerChosen(m_file)) {
            return {unkept.entryId, error, unkept.entryIds};
        }
        // The ids of the folder's file would name other entries on the server; those it gave
        // when the job began stay its own.
        try {
            journal::OpenSharedFile(m_file)->keepForServer(m_entries);
            return {unkept.entryId, {}, unkept.entryIds};
        } catch (const journal::JournalError& keepError) {
            return {unkept.entryId, error + "; " + keepError.what(), unkept.entryIds};
        }
    }

    std::filesystem::path m_file;
    std::vector<journal::JournalEntry> m_entries;
    std::string m_claim;
    std::shared_ptr<journal::Journal> m_journal;
    std::vector<std::int64_t> m_ids;
    std::string m_beginError;
};

journal::JobEnd printedBy(TPrinterAccess& printer)
{
    const JobReceipt receipt = printer.Service().lastJob();
    return {journal::JobStatus::Printed, {}, receipt.jobId, receipt.file};
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

} // namespace

Outcome PrintAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile, const Slip& slip,
                       const SlipPrintState& state, const JobContext& context, const std::function<void()>& drawSlip,
                       double pageLengthPt)
{
    JobRecord record(journalFile, {entryOf(printer, slip, state, context)});
    bool drawing = false;
    try {
        printcommand::PrintJob(
            printer,
            [&] {
                drawing = true;
                interruption::StopIfAsked();
                drawSlip();
                drawing = false;
            },
            pageLengthPt);
    } catch (const std::exception& error) {
        record.finish({drawing ? journal::JobStatus::Aborted : journal::JobStatus::Failed, error.what(), 0, {}});
        throw;
    }
    return record.finish(printedBy(printer));
}

Outcome PrintBatchAndRecord(TPrinterAccess& printer, const std::filesystem::path& journalFile,
                            const std::vector<BatchPage>& pages, const std::string& paperFeed,
                            const std::function<void()>& runJob, const std::string& claim)
{
    std::vector<journal::JournalEntry> entries;
    entries.reserve(pages.size());
    for (const BatchPage& page : pages) {
        entries.push_back(entryOf(printer, page.slip, page.state, {paperFeed, page.orderNumber, 0, {}}));
    }
    JobRecord record(journalFile, std::move(entries), claim);
    try {
        runJob();
    } catch (const std::exception& error) {
        record.finish({batchStatus(pages.size()), error.what(), 0, {}});
        throw;
    }
    return record.finish(printedBy(printer));
}

Outcome SendAndRecord(const std::filesystem::path& journalFile, const std::vector<BatchPage>& pages,
                      const std::string& printerName, const JobContext& context,
                      const std::function<std::string()>& build, const std::function<int(const std::string&)>& handOver)
{
    std::vector<journal::JournalEntry> entries;
    entries.reserve(pages.size());
    for (const BatchPage& page : pages) {
        journal::JournalEntry entry =
            entryOf(page.slip, page.state, {context.paperFeed, page.orderNumber, context.reprintOf, {}});
        entry.printer = printerName;
        entries.push_back(std::move(entry));
    }
    JobRecord record(journalFile, std::move(entries), context.claim);
    std::string stream;
    try {
        stream = build();
    } catch (const std::exception& error) {
        record.finish({journal::JobStatus::Aborted, error.what(), 0, {}});
        throw;
    }
    int jobId = 0;
    try {
        jobId = handOver(stream);
    } catch (const std::exception& error) {
        record.finish({journal::JobStatus::Failed, error.what(), 0, {}});
        throw;
    }
    return record.finish({journal::JobStatus::Printed, {}, jobId, {}});
}

LastDayCheck CheckPrintedInLastDay(const std::filesystem::path& journalFile, const Slip& slip)
{
    if (!journal::MayHaveEntries(journalFile)) {
        return {};
    }
    const QDateTime since = QDateTime::currentDateTime().addSecs(-kDaySeconds);
    try {
        return {journal::OpenShared(journalFile, journal::Journal::Access::ReadOnly)->stationPrintedSince(slip, since),
                false};
    } catch (const journal::ServerUnreachable&) {
        // The folder's own file holds what this station printed, kept for the server or not.
    } catch (const journal::JournalError&) {
        return {};
    }
    std::error_code error;
    if (!std::filesystem::exists(journalFile, error)) {
        return {std::nullopt, true};
    }
    try {
        return {
            journal::OpenSharedFile(journalFile, journal::Journal::Access::ReadOnly)->stationPrintedSince(slip, since),
            true};
    } catch (const journal::JournalError&) {
        return {std::nullopt, true};
    }
}

} // namespace journalprint
