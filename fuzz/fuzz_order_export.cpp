// Arbitrary bytes as a shop's order export: recognised, under every format forced, and as a
// generic file with a column mapping. Reading may refuse the file, but never crash, and
// every slip it gives holds printable UTF-8 and its checks.
#include "batch/ColumnMapping.h"
#include "batch/Encoding.h"
#include "batch/HeaderGuess.h"
#include "batch/OrderFile.h"
#include "batch/OrderFormat.h"
#include "batch/SlipChecks.h"
#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkSlips(const batch::OrderFile& file)
{
    for (const batch::BatchSlip& slip : file.slips) {
        const SlipAddress& to = slip.recipient;
        for (const std::string* field :
             {&to.zip, &to.address1, &to.address2, &to.name, &to.tel, &slip.goods[0], &slip.goods[1], &slip.goods[2]}) {
            require(utf8::isValid(*field));
            require(cp932::CanEncode(*field));
        }
        require(slip.pieces == "1");
        require(slip.firstRow >= 2);
        require(!batch::HasNoAddress(slip));
    }
    for (const batch::SkippedRow& row : file.skipped) {
        require(row.row >= 2);
    }
    require(std::is_sorted(file.skipped.begin(), file.skipped.end(),
                           [](const batch::SkippedRow& a, const batch::SkippedRow& b) { return a.row < b.row; }));
}

void read(std::string_view bytes, const batch::ReadOptions& options)
{
    try {
        checkSlips(batch::ReadOrderFile(bytes, options));
    } catch (const batch::BatchError&) {
        // A file that matches no format, or a mapping the file lacks: refused with a reason.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    read(bytes, {});
    for (const batch::OrderFormat& format : batch::KnownFormats()) {
        batch::ReadOptions options;
        options.format = std::string(format.id);
        read(bytes, options);
    }
    batch::ReadOptions generic;
    generic.columnMap = "order=1,name=2,zip=3,address1=4,tel=5,item=6";
    read(bytes, generic);
    // The mapping dialog's guess from the header: each column at most once, all in the header.
    const std::vector<std::string> header = batch::HeaderOf(batch::Decode(bytes).utf8);
    const batch::ColumnMap guessed = batch::GuessColumns(header);
    std::vector<std::size_t> columns;
    for (const auto& column : guessed) {
        if (column) {
            require(*column < header.size());
            columns.push_back(*column);
        }
    }
    std::sort(columns.begin(), columns.end());
    require(std::adjacent_find(columns.begin(), columns.end()) == columns.end());
    return 0;
}
