#pragma once

#include "batch/SlipChecks.h"

namespace postal {
class PostalDirectory;
}

namespace batch {

// The postal-code list's word on a slip: a code the list does not know, or a first address
// line that is not where the code is. A postal code without its form is left to the slip's
// own checks.
class PostalSlipCheck : public SlipCheck
{
public:
    explicit PostalSlipCheck(const postal::PostalDirectory& directory) : m_directory(directory) {}
    std::vector<std::string> check(const BatchSlip& slip) const override;

private:
    const postal::PostalDirectory& m_directory;
};

} // namespace batch
