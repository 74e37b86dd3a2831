#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct BatchSlip;
struct SkippedRow;

// Why a slip without any address is not printed.
inline constexpr std::string_view kNoAddressReason = "お届け先の住所がありません";

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

// CheckFields without the characters: for a slip from BuildSlip, which leaves only characters
// the form prints, and is the costliest check over a whole file.
void CheckFieldShapes(BatchSlip& slip);

// True when the slip says nowhere to deliver to: no postal code and no address line. Such an
// order (a voucher sent by mail) would waste a form.
bool HasNoAddress(const BatchSlip& slip);

// Moves the slips without an address out of `slips` into `skipped`, which stays in row order.
void SkipSlipsWithoutAddress(std::vector<BatchSlip>& slips, std::vector<SkippedRow>& skipped);

// Runs every check over every slip, appending the warnings.
void RunChecks(std::vector<BatchSlip>& slips, const std::vector<const SlipCheck*>& checks);

} // namespace batch
