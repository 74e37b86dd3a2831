#include "journal/Outbox.h"

#include "journal/JournalChoice.h"
#include "journal/ServerBackoff.h"
#include "journal/SharedJournal.h"

#include <algorithm>

namespace journal {
namespace {

UploadCount copyAll(const std::vector<JournalEntry>& entries, Journal& server, Journal& file)
{
    UploadCount count;
    for (const JournalEntry& entry : entries) {
        if (server.copyIn(entry) == Journal::Copied::AlreadyThere) {
            ++count.alreadyThere;
        } else {
            ++count.uploaded;
        }
        file.sentToServer(entry.uuid);
    }
    return count;
}

bool hasFile(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::exists(file, error);
}

} // namespace

UploadCount SendKept(const std::filesystem::path& file)
{
    if (!ServerChosen(file) || !hasFile(file)) {
        return {};
    }
    const auto local = OpenSharedFile(file, Journal::Access::ReadOnly);
    const std::vector<JournalEntry> kept = local->keptForServer();
    if (kept.empty()) {
        return {};
    }
    return copyAll(kept, *OpenShared(file), *local);
}

UploadCount UploadFile(const std::filesystem::path& file)
{
    if (!ServerChosen(file)) {
        throw JournalError("no journal server is chosen (mivo_journal.ini [Journal] Server= or " +
                           std::string(kServerVariable) + ")");
    }
    if (!hasFile(file)) {
        throw JournalError(file.string() + ": no journal in this folder");
    }
    // Written to, so that entries of an older layout get their uuids first.
    const auto local = OpenSharedFile(file);
    std::vector<JournalEntry> entries = local->search({});
    std::reverse(entries.begin(), entries.end());
    return copyAll(entries, *OpenShared(file), *local);
}

std::int64_t PendingCount(const std::filesystem::path& file)
{
    if (!ServerChosen(file) || !hasFile(file)) {
        return 0;
    }
    return OpenSharedFile(file, Journal::Access::ReadOnly)->keptCount();
}

bool ServerAway()
{
    return backoff::AnyAway();
}

} // namespace journal
