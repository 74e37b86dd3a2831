// Arbitrary profile files through the reader and the writer. The first byte picks a section,
// the second how many entries to set and which keys; the rest is the file. Setting several
// entries in one pass must give exactly what setting them one by one gives, and looking
// several keys up at once what looking each up gives.
#include "platform/ProfileFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// The program's own names, with names that do not read back as themselves.
constexpr std::array<std::string_view, 8> kSections{"mv_Kangarooprn",
                                                    "\x8E\xE8\x8D\xB7\x82\xB5",
                                                    "\x98\x41\x91\xB1(\x82\x53\x83\x43\x83\x93\x83\x60)",
                                                    " MV_KANGAROOPRN ",
                                                    "s]x",
                                                    "\x83]",
                                                    "s\nt",
                                                    ""};
constexpr std::array<std::string_view, 16> kKeys{
    "E_ZIP", "OP023MyZIP ", "OP023MyZip", "KOSUU", "PrnNoIndex", "denPrn_Top", "E_AD1",  "Addr_Font",
    "a=b",   "[k",          ";k",         "",      "k\r",        "\x83\x61",   " e_zip", "\x83\x41"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::string_view section = kSections[data[0] % kSections.size()];
    const std::size_t count = data[1] % 8;
    std::string_view content(reinterpret_cast<const char*>(data) + 2, size - 2);

    std::vector<std::string_view> keys;
    std::vector<ProfileFile::Entry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view key = kKeys[(i < content.size() ? static_cast<unsigned char>(content[i]) : i) % 16];
        keys.push_back(key);
        // Values cut from the content itself carry its line breaks, quotes and blanks.
        entries.push_back({key, content.substr(std::min(i, content.size()), i * 3)});
    }

    std::string expected(content);
    for (const ProfileFile::Entry& entry : entries) {
        expected = ProfileFile::WithValue(expected, section, entry.key, entry.value);
    }
    require(ProfileFile::WithValues(content, section, entries) == expected);

    const std::vector<std::optional<std::string>> found = ProfileFile::FindValues(expected, section, keys);
    require(found.size() == keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        require(found[i] == ProfileFile::FindValue(expected, section, keys[i]));
        require(!found[i] || found[i]->size() <= ProfileFile::kMaxValueBytes);
        if (found[i]) {
            ProfileFile::ParseInteger(*found[i]);
        }
    }
    return 0;
}
