#include "batch/SlipChecks.h"

#include "batch/AddressSplit.h"
#include "batch/BatchSlip.h"
#include "batch/Cp932Tables.h"
#include "batch/Utf8Chars.h"

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
    std::vector<std::string>& warnings = slip.warnings;
    if (slip.zip.empty()) {
        warnings.emplace_back("郵便番号がありません");
    } else if (!isPostalCode(slip.zip)) {
        warnings.emplace_back("郵便番号の形が正しくありません");
    }
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
    for (const std::string* field : {&slip.zip, &slip.address1, &slip.address2, &slip.name, &slip.tel, &slip.goods[0],
                                     &slip.goods[1], &slip.goods[2]}) {
        if (!Cp932CanEncode(*field)) {
            warnings.emplace_back("印字できない文字があります");
            break;
        }
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
