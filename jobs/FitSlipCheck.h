#pragma once

#include "batch/SlipChecks.h"
#include "printers/PageGeometry.h"
#include "slipprint/SlipPrintState.h"
#include "workfolder/SenderFile.h"

class PrintTarget;
struct BatchTarget;

// The fit of a batch slip on the page in force: each text that would leave the printable area
// or run into another field's box, named with the distance.
class FitSlipCheck : public batch::SlipCheck
{
public:
    FitSlipCheck(const PrintTarget& target, SenderRecord sender);
    // On the batch's registered printer and feed, with its sender; throws as the batch would.
    explicit FitSlipCheck(const BatchTarget& target);
    std::vector<std::string> check(const batch::BatchSlip& slip) const override;

private:
    PageGeometry m_page;
    SlipPrintState m_state;
    SenderRecord m_sender;
};
