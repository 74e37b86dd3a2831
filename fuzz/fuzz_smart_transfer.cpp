// Arbitrary pasted bytes through the transfer of whole order mails: as code page 932 bytes
// (the --cp932 path and the window) and as UTF-8 read directly, with a small postal list.
#include "platform/Cp932.h"
#include "smartimport/SmartTransfer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool isValidCp932(const std::string& text)
{
    const auto back = cp932::FromUtf8Strict(cp932::ToUtf8(text));
    return back && *back == text;
}

std::vector<smartimport::PostalPlace> smallList(std::string_view digits)
{
    require(digits.size() == 7);
    if (digits == "1500001") {
        return {{"東京都", "渋谷区", "神宮前"}};
    }
    if (digits == "4980000") {
        return {{"愛知県", "弥富市", ""}, {"三重県", "桑名郡木曽岬町", ""}};
    }
    return {};
}

void checkFields(const textimport::RecipientFields& f)
{
    for (const std::string* field : {&f.zip, &f.address1, &f.address2, &f.name, &f.tel}) {
        require(isValidCp932(*field));
    }
    require(f.zip.empty() || f.zip.size() == 8);
    require(f.tel.size() <= 13);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const smartimport::SmartResult raw = smartimport::runSmartTransfer(bytes, {}, smallList);
    require((raw.status == smartimport::SmartStatus::Transferred) == raw.message.empty());
    require(raw.status == smartimport::SmartStatus::NoText || !raw.memo.empty());

    const smartimport::SmartResult converted = smartimport::runSmartTransfer(cp932::FromUtf8(bytes), {}, smallList);
    if (converted.status == smartimport::SmartStatus::Transferred) {
        checkFields(converted.fields);
    }
    for (const std::string& line : converted.memo) {
        require(isValidCp932(line));
    }

    const textimport::RecipientFields utf8 = smartimport::readRecipient(bytes, smallList);
    for (const std::string* field : {&utf8.zip, &utf8.tel}) {
        require(field->find_first_not_of("0123456789-") == std::string::npos);
    }
    return 0;
}
