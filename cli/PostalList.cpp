#include "cli/PostalList.h"

#include "postal/PostalDirectory.h"

#include <ostream>

const postal::PostalDirectory& PostalListOf(const std::filesystem::path& folder, const char* command, std::ostream& err)
{
    const postal::PostalDirectory& directory = postal::directoryFor(folder);
    if (const std::optional<std::string> reason = postal::builtInFallbackReason(folder)) {
        err << "mivo-kangaroo " << command << ": warning: " << *reason << '\n';
    }
    return directory;
}
