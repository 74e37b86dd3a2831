#include "jobs/JournalSlipCheck.h"

#include "batch/BatchSlip.h"
#include "journal/Journal.h"

#include <algorithm>

JournalSlipCheck::JournalSlipCheck(const std::filesystem::path& journalFile)
{
    std::error_code missing;
    if (!std::filesystem::exists(journalFile, missing)) {
        return;
    }
    try {
        m_journal = std::make_unique<journal::Journal>(journalFile, journal::Journal::Access::ReadOnly);
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
        if (m_journal->hasOrder(slip.order)) {
            return {kWarning};
        }
    } catch (const journal::JournalError&) {
        // Unreadable now: no mark, as for a journal that cannot be opened.
    }
    return {};
}

bool JournalSlipCheck::Marked(const batch::BatchSlip& slip)
{
    return std::find(slip.warnings.begin(), slip.warnings.end(), kWarning) != slip.warnings.end();
}
