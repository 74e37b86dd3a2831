#include "postal/PostalUpdate.h"

#include "platform/AtomicFile.h"
#include "postal/JapanPostFile.h"
#include "postal/PostalData.h"

#include <set>
#include <tuple>

namespace postal {

std::size_t updateDirectory(const std::vector<std::filesystem::path>& files, const std::filesystem::path& workingFolder)
{
    std::vector<PostalEntry> entries;
    std::set<std::tuple<std::string, std::string, std::string, std::string, std::string, std::string>> seen;
    for (const std::filesystem::path& file : files) {
        for (PostalEntry& entry : readJapanPostFile(file)) {
            if (seen.emplace(entry.zip, entry.prefecture, entry.city, entry.town, entry.street, entry.office).second) {
                entries.push_back(std::move(entry));
            }
        }
    }
    const std::string bytes = encodeDirectory(entries);
    AtomicFile::Write(workingFolder / kDirectoryFileName, bytes);
    return entries.size();
}

} // namespace postal
