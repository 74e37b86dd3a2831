#include "SlipChecks.h"

#include "AddressSplit.h"
#include "BatchSlip.h"
#include "Cp932.h"
#include "Utf8Chars.h"

namespace batch {
namespace {

// The window's typing limits of the name and the postal code, in characters.
constexpr std::size_t kNameChars = 80;

} // namespace

void CheckFields(BatchSlip& slip)
{
    std::vector<std::string>& warnings = slip.warnings;
    if (slip.address1.empty()) {
        warnings.emplace_back("おところがありません");
    }
    if (Cp932Bytes(slip.address1) > kAddressLineBytes) {
        warnings.emplace_back("おところ①が40バイトを超えています");
    }
    if (Cp932Bytes(slip.address2) > kAddressLineBytes) {
        warnings.emplace_back("おところ②が40バイトを超えています");
    }
    if (slip.name.empty()) {
        warnings.emplace_back("おなまえがありません");
    } else if (Utf8Length(slip.name) > kNameChars) {
        warnings.emplace_back("おなまえが80文字を超えています");
    }
    if (slip.tel.empty()) {
        warnings.emplace_back("電話番号がありません");
    }
}

void RunChecks(std::vector<BatchSlip>& slips, const std::vector<const SlipCheck*>& checks)
{
    for (BatchSlip& slip : slips) {
        for (const SlipCheck* check : checks) {
            for (std::string& warning : check->check(slip)) {
                slip.warnings.push_back(std::move(warning));
            }
        }
    }
}

} // namespace batch
