#pragma once

#include "BatchSlip.h"
#include "SenderFile.h"
#include "SlipFields.h"

#include <cstddef>
#include <iosfwd>
#include <vector>

struct BatchOptions;
namespace batch {
struct OrderFile;
}

// The slip a batch slip prints: its recipient and goods, the sender, one piece, today's
// date, no delivery date or time service. Print state (resolution, margins) is left empty.
SlipFields BatchSlipFields(const batch::BatchSlip& slip, const SenderRecord& sender);

// The sender of a tab (1-10) as registered; throws when none is.
SenderRecord RegisteredSender(int number);

// Prints the chosen slips as one job on the printer of the chosen paper feed (continuous by
// default) and reports on `err`: progress on a terminal, then one line. 0 when all printed.
int RunBatchPrint(const batch::OrderFile& file, const std::vector<std::size_t>& chosen, const BatchOptions& options,
                  std::ostream& err);
