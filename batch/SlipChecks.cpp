#include "batch/SlipChecks.h"

#include "batch/AddressSplit.h"
#include "batch/BatchSlip.h"
#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace batch {
namespace {

// The window's typing limits of the name and the postal code, in characters.
constexpr std::size_t kNameChars = 80;

bool isPostalCode(std::string_view zip)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return zip.size() == 8 && zip[3] == '-' && std::all_of(zip.begin(), zip.begin() + 3, digit) &&
           std::all_of(zip.begin() + 4, zip.end(), digit);
}

} // namespace

void CheckFields(BatchSlip& slip)
{
    CheckFieldShapes(slip);
    const SlipAddress& to = slip.recipient;
    const std::array<std::string, 3>& goods = slip.goods;
    for (const std::string* field :
         {&to.zip, &to.address1, &to.address2, &to.name, &to.tel, &goods[0], &goods[1], &goods[2]}) {
        if (!cp932::CanEncode(*field)) {
            slip.warnings.emplace_back("印字できない文字があります");
            break;
        }
    }
}

void CheckFieldShapes(BatchSlip& slip)
{
    std::vector<std::string>& warnings = slip.warnings;
    const SlipAddress& to = slip.recipient;
    if (to.zip.empty()) {
        warnings.emplace_back("郵便番号がありません");
    } else if (!isPostalCode(to.zip)) {
        warnings.emplace_back("郵便番号の形が正しくありません");
    }
    if (to.address1.empty()) {
        warnings.emplace_back("おところがありません");
    }
    if (cp932::ByteLength(to.address1) > kAddressLineBytes) {
        warnings.emplace_back("おところ①が40バイトを超えています");
    }
    if (cp932::ByteLength(to.address2) > kAddressLineBytes) {
        warnings.emplace_back("おところ②が40バイトを超えています");
    }
    if (to.name.empty()) {
        warnings.emplace_back("おなまえがありません");
    } else if (utf8::length(to.name) > kNameChars) {
        warnings.emplace_back("おなまえが80文字を超えています");
    }
    if (to.tel.empty()) {
        warnings.emplace_back("電話番号がありません");
    }
}

bool HasNoAddress(const BatchSlip& slip)
{
    const SlipAddress& to = slip.recipient;
    return to.zip.empty() && to.address1.empty() && to.address2.empty();
}

void SkipSlipsWithoutAddress(std::vector<BatchSlip>& slips, std::vector<SkippedRow>& skipped)
{
    const std::size_t before = skipped.size();
    std::erase_if(slips, [&skipped](const BatchSlip& slip) {
        if (!HasNoAddress(slip)) {
            return false;
        }
        skipped.push_back({slip.firstRow, std::string(kNoAddressReason)});
        return true;
    });
    const auto byRow = [](const SkippedRow& a, const SkippedRow& b) { return a.row < b.row; };
    std::inplace_merge(skipped.begin(), skipped.begin() + static_cast<std::ptrdiff_t>(before), skipped.end(), byRow);
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
