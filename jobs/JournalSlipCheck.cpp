#include "jobs/JournalSlipCheck.h"

#include "batch/BatchSlip.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"

#include <algorithm>

JournalSlipCheck::JournalSlipCheck(const std::filesystem::path& journalFile)
{
    if (!journal::MayHaveEntries(journalFile)) {
        return;
    }
    try {
        m_journal = journal::OpenShared(journalFile, journal::Journal::Access::ReadOnly);
    } catch (const journal::JournalError&) {
        // A damaged journal is left for the user; the slips simply carry no mark.
    }
}

JournalSlipCheck::~JournalSlipCheck() = default;

std::vector<std::string> JournalSlipCheck::check(const batch::BatchSlip& slip) const
{
    if (!m_journal || slip.order.empty()) {
        return {};
    }
    try {
        if (const std::optional<std::string> station = m_journal->heldElsewhere(slip.order)) {
            return {OtherStationWarning(*station)};
        }
        const std::optional<journal::JobStatus> status = m_journal->orderStatus(slip.order);
        if (status == journal::JobStatus::Printed) {
            return {kWarning};
        }
        if (status) {
            return {kUnknownWarning};
        }
    } catch (const journal::JournalError&) {
        // Unreadable now: no mark, as for a journal that cannot be opened.
    }
    return {};
}

std::string JournalSlipCheck::OtherStationWarning(const std::string& station)
{
    return std::string(kOtherStationWarning) + "（" + station + "）";
}

bool JournalSlipCheck::Marked(const batch::BatchSlip& slip)
{
    return std::any_of(slip.warnings.begin(), slip.warnings.end(), [](const std::string& warning) {
        return warning == kWarning || warning == kUnknownWarning || warning.starts_with(kOtherStationWarning);
    });
}
