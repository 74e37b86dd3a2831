#pragma once

#include "batch/BatchSlip.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A slip a batch left out because another station's job holds its order.
struct ClaimedElsewhere
{
    std::size_t slip = 0; // index into the batch's slips
    std::string station;
};

struct BatchClaim
{
    std::string claim;               // the job's claim in the journal; empty when none was made
    std::vector<std::size_t> chosen; // the slips left to print
    std::vector<ClaimedElsewhere> leftOut;
    std::string journalError; // why nothing could be claimed
};

// The slips left out, as slip numbers ("1-3,7") per station, stations in name order.
std::map<std::string, std::string> LeftOutByStation(const std::vector<ClaimedElsewhere>& leftOut);

// Claims the orders of the chosen slips on the journal, all in one transaction, right before the
// job. A slip `printAnyway(index)` says the user insists on prints whoever holds it. A journal
// that cannot be opened or written claims nothing and leaves every slip in: it never stops a
// slip.
BatchClaim ClaimSlips(const std::filesystem::path& journalFile, const std::vector<batch::BatchSlip>& slips,
                      const std::vector<std::size_t>& chosen, const std::function<bool(std::size_t)>& printAnyway);
