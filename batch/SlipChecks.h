#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct BatchSlip;

// Checks a slip against outside knowledge (the postal-code list, the print journal); each
// returns the warnings it has for the slip, in the user's language.
class SlipCheck
{
public:
    virtual ~SlipCheck() = default;
    virtual std::vector<std::string> check(const BatchSlip& slip) const = 0;
};

// The checks that need nothing but the slip: a postal code missing or without the form
// "ddd-dddd", lengths the form takes, a missing address, name or telephone, characters the
// form cannot print. Appends their warnings to the slip.
void CheckFields(BatchSlip& slip);

// Runs every check over every slip, appending the warnings.
void RunChecks(std::vector<BatchSlip>& slips, const std::vector<const SlipCheck*>& checks);

} // namespace batch
