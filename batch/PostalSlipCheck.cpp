#include "batch/PostalSlipCheck.h"

#include "batch/BatchSlip.h"
#include "postal/AddressAgreement.h"

namespace batch {

std::vector<std::string> PostalSlipCheck::check(const BatchSlip& slip) const
{
    if (slip.recipient.zip.empty()) {
        return {};
    }
    const postal::AgreementResult result =
        postal::checkAgreement(m_directory, slip.recipient.zip, slip.recipient.address1);
    const bool wrong =
        result.agreement == postal::Agreement::Disagrees || result.agreement == postal::Agreement::UnknownCode;
    if (!wrong || result.message.empty()) {
        return {};
    }
    return {result.message};
}

} // namespace batch
