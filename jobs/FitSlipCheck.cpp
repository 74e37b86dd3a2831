#include "jobs/FitSlipCheck.h"

#include "jobs/BatchPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "printers/TPrinterAccess.h"

FitSlipCheck::FitSlipCheck(const PrintTarget& target, SenderRecord sender)
    : m_page(target.page()), m_state(target.state()), m_sender(std::move(sender))
{}

FitSlipCheck::FitSlipCheck(const BatchTarget& target)
    : FitSlipCheck(PrintTarget::Registered(PrinterAccess(), target.folder, target.paper, target.printer), target.sender)
{}

std::vector<std::string> FitSlipCheck::check(const batch::BatchSlip& slip) const
{
    return slipjobs::FitWarnings(m_page, m_state, BatchSlipModel(slip, m_sender));
}
