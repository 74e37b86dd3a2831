#include "journal/Outbox.h"

#include "journal/JournalChoice.h"
#include "journal/ServerAddress.h"
#include "journal/ServerBackoff.h"
#include "journal/SharedJournal.h"

#include <algorithm>
#include <set>
#include <string>

namespace journal {
namespace {

// An entry of the file reprints one by the file's id; the server numbers that one otherwise.
// Entries kept for the server were reprints of the server's own entries already.
std::int64_t reprintOnServer(const JournalEntry& entry, Journal& server, Journal& file)
{
    if (entry.reprintOf == 0) {
        return 0;
    }
    const std::string original = file.uuidOf(entry.reprintOf);
    return original.empty() ? 0 : server.idOf(original);
}

UploadCount copyAll(const std::vector<JournalEntry>& entries, Journal& server, Journal& file,
                    const std::set<std::string>& keptUuids)
{
    UploadCount count;
    for (JournalEntry entry : entries) {
        if (!keptUuids.contains(entry.uuid)) {
            entry.reprintOf = reprintOnServer(entry, server, file);
        }
        if (server.copyIn(entry) == Journal::Copied::AlreadyThere) {
            ++count.alreadyThere;
        } else {
            ++count.uploaded;
        }
        file.sentToServer(entry.uuid);
    }
    return count;
}

std::set<std::string> uuidsOf(const std::vector<JournalEntry>& entries)
{
    std::set<std::string> uuids;
    for (const JournalEntry& entry : entries) {
        uuids.insert(entry.uuid);
    }
    return uuids;
}

bool hasFile(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::exists(file, error);
}

} // namespace

UploadCount SendKept(const std::filesystem::path& file)
{
    if (!ServerChosen(file)) {
        return {};
    }
    std::shared_ptr<Journal> local;
    std::vector<JournalEntry> kept;
    if (hasFile(file)) {
        local = OpenSharedFile(file, Journal::Access::ReadOnly);
        kept = local->keptForServer();
    }
    if (kept.empty()) {
        if (ServerAway(file)) {
            OpenShared(file, Journal::Access::ReadOnly);
        }
        return {};
    }
    return copyAll(kept, *OpenShared(file), *local, uuidsOf(kept));
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
    return copyAll(entries, *OpenShared(file), *local, uuidsOf(local->keptForServer()));
}

std::int64_t PendingCount(const std::filesystem::path& file)
{
    if (!ServerChosen(file) || !hasFile(file)) {
        return 0;
    }
    return OpenSharedFile(file, Journal::Access::ReadOnly)->keptCount();
}

bool ServerAway(const std::filesystem::path& file)
{
    const std::string server = ReadChoice(std::filesystem::absolute(file).parent_path()).server;
    if (server.empty()) {
        return false;
    }
    try {
        return backoff::Away(ParseServerUri(server).name);
    } catch (const JournalError&) {
        return false;
    }
}

} // namespace journal
