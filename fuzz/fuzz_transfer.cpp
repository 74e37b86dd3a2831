// Arbitrary pasted bytes through the whole address transfer: as code page 932 bytes taken
// as they come (the --cp932 path) and as UTF-8 converted the way the window converts it.
#include "platform/Cp932.h"
#include "textimport/Transfer.h"

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

// Whole characters of code page 932 that the codec reads back to the same bytes.
bool isValidCp932(const std::string& text)
{
    const auto back = cp932::FromUtf8Strict(cp932::ToUtf8(text));
    return back && *back == text;
}

void checkShape(const textimport::TransferResult& result)
{
    require(result.compacted.size() <= 16);
    if (result.status == textimport::TransferStatus::Transferred) {
        require(result.cleaned.size() == 7 && result.split.size() == 7);
        require(result.message.empty());
    } else {
        require(!result.message.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    checkShape(textimport::RunTransfer(bytes));

    const textimport::TransferResult result = textimport::RunTransfer(cp932::FromUtf8(bytes));
    checkShape(result);
    const textimport::RecipientFields& f = result.fields;
    for (const std::string* field : {&f.zip, &f.address1, &f.address2, &f.name, &f.tel}) {
        require(isValidCp932(*field));
    }
    for (const std::string& line : result.memo()) {
        require(isValidCp932(line));
    }
    return 0;
}
