#include "jobs/BatchClaims.h"

#include "batch/SlipSelection.h"
#include "journal/Journal.h"
#include "journal/SharedJournal.h"

#include <algorithm>

std::map<std::string, std::string> LeftOutByStation(const std::vector<ClaimedElsewhere>& leftOut)
{
    std::map<std::string, std::vector<std::size_t>> slips;
    for (const ClaimedElsewhere& out : leftOut) {
        slips[out.station].push_back(out.slip);
    }
    std::map<std::string, std::string> numbers;
    for (auto& [station, indexes] : slips) {
        std::sort(indexes.begin(), indexes.end());
        numbers[station] = batch::SlipNumbers(indexes);
    }
    return numbers;
}

BatchClaim ClaimSlips(const std::filesystem::path& journalFile, const std::vector<batch::BatchSlip>& slips,
                      const std::vector<std::size_t>& chosen, const std::function<bool(std::size_t)>& printAnyway)
{
    std::vector<journal::ClaimRequest> requests;
    requests.reserve(chosen.size());
    for (const std::size_t index : chosen) {
        const batch::BatchSlip& slip = slips.at(index);
        requests.push_back({slip.order, slip.recipient, printAnyway && printAnyway(index)});
    }
    BatchClaim result{{}, chosen, {}, {}};
    journal::ClaimOutcome outcome;
    try {
        outcome = journal::OpenShared(journalFile)->claimOrders(requests);
    } catch (const journal::JournalError& error) {
        result.journalError = error.what();
        return result;
    }
    result.claim = outcome.claim;
    for (const journal::ClaimTaken& taken : outcome.taken) {
        result.leftOut.push_back({chosen[taken.index], taken.station});
    }
    std::erase_if(result.chosen, [&](std::size_t index) {
        return std::any_of(result.leftOut.begin(), result.leftOut.end(),
                           [index](const ClaimedElsewhere& out) { return out.slip == index; });
    });
    return result;
}
