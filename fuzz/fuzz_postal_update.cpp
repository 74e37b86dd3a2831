// Arbitrary bytes as a Japan Post download (KEN_ALL.CSV, utf_ken_all.csv, JIGYOSYO.CSV) and as
// a stored postal list (mivo_postal.dat). A file is refused with a message or read; whatever
// is read is stored and reads back as the same entries.
#include "postal/JapanPostFile.h"
#include "postal/PostalData.h"
#include "postal/PostalDirectory.h"

#include <algorithm>
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

void readAsJapanPostFile(std::string_view bytes)
{
    std::vector<postal::PostalEntry> entries;
    try {
        entries = postal::parseJapanPostFile(bytes, "KEN_ALL.CSV");
    } catch (const postal::JapanPostFileError& error) {
        require(std::string_view(error.what()).starts_with("KEN_ALL.CSV の "));
        return;
    }
    std::string stored;
    try {
        stored = postal::encodeDirectory(entries);
    } catch (const postal::DataFormatError&) {
        return; // beyond the format's limits
    }
    const postal::PostalDirectory directory(stored);
    require(directory.entryCount() == entries.size());
    for (const postal::PostalEntry& entry : entries) {
        const std::vector<postal::PostalEntry> found = directory.find(entry.zip.substr(0, 3) + entry.zip.substr(4));
        require(std::find(found.begin(), found.end(), entry) != found.end());
    }
}

void readAsStoredList(std::string_view bytes)
{
    try {
        const postal::PostalDirectory directory{std::string(bytes)};
        for (const char* code : {"0000000", "0600000", "1000001", "4980000", "9999999"}) {
            for (const postal::PostalEntry& entry : directory.find(code)) {
                require(entry.zip.size() == 8);
            }
        }
    } catch (const postal::DataFormatError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readAsJapanPostFile(bytes);
    readAsStoredList(bytes);
    return 0;
}
