#pragma once

#include "slipprint/Slip.h"

#include <cstddef>
#include <string>
#include <vector>

// Claims of the slips a batch is about to print. Two stations sharing a journal may open the
// same order export at once; the first to claim a slip's order and destination prints it and
// the other leaves it out, unless its user chose to print it anyway.
namespace journal {

struct ClaimRequest
{
    std::string orderNumber; // a slip without one is never claimed, and always printed
    SlipAddress recipient;
    bool printAnyway = false; // chosen although printed before: printed whoever holds it
};

// A slip left out because another job holds its order, and the station of that job.
struct ClaimTaken
{
    std::size_t index = 0; // into the requests
    std::string station;
};

struct ClaimOutcome
{
    std::string claim; // the job's claim, released when nothing of the job printed
    std::vector<ClaimTaken> taken;
};

// One destination of an order, whatever blanks the export put in its fields: the postal code's
// digits, the address and the name.
std::string DestinationKey(const SlipAddress& recipient);

} // namespace journal
