#include "journal/SharedJournal.h"

#include "journal/JournalChoice.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace journal {
namespace {

struct OpenJournal
{
    std::weak_ptr<Journal> journal;
    std::thread::id thread;
};

std::mutex& registryLock()
{
    static std::mutex lock;
    return lock;
}

std::map<std::string, OpenJournal>& registry()
{
    static std::map<std::string, OpenJournal> journals;
    return journals;
}

// The same file under another spelling is the same journal.
std::string keyOf(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(file, error);
    return (error ? std::filesystem::absolute(file).lexically_normal() : canonical).string();
}

std::shared_ptr<Journal> openChosen(const std::filesystem::path& file, const JournalChoice& choice,
                                    Journal::Access access)
{
    auto journal = choice.server.empty() ? std::make_shared<Journal>(file, access)
                                         : std::make_shared<Journal>(ParseServerUri(choice.server), access);
    if (!choice.station.empty()) {
        journal->setStation(choice.station);
    }
    return journal;
}

std::shared_ptr<Journal> openRegistered(const std::string& key, Journal::Access access,
                                        const std::function<std::shared_ptr<Journal>()>& open)
{
    const std::lock_guard<std::mutex> held(registryLock());
    OpenJournal& registered = registry()[key];
    if (std::shared_ptr<Journal> journal = registered.journal.lock()) {
        if (registered.thread != std::this_thread::get_id()) {
            throw JournalError(journal->name() + ": the journal is in use on another thread");
        }
        if (access == Journal::Access::ReadWrite) {
            journal->prepareForWriting();
        }
        return journal;
    }
    auto journal = open();
    registered = {journal, std::this_thread::get_id()};
    return journal;
}

} // namespace

bool MayHaveEntries(const std::filesystem::path& file)
{
    std::error_code error;
    return std::filesystem::exists(file, error) || ServerChosen(file);
}

std::shared_ptr<Journal> OpenShared(const std::filesystem::path& file, Journal::Access access)
{
    const JournalChoice choice = ReadChoice(std::filesystem::absolute(file).parent_path());
    return openRegistered(choice.server.empty() ? keyOf(file) : "server " + choice.server, access,
                          [&] { return openChosen(file, choice, access); });
}

std::shared_ptr<Journal> OpenSharedFile(const std::filesystem::path& file, Journal::Access access)
{
    JournalChoice choice = ReadChoice(std::filesystem::absolute(file).parent_path());
    choice.server.clear();
    return openRegistered(keyOf(file), access, [&] { return openChosen(file, choice, access); });
}

bool ServerChosen(const std::filesystem::path& file)
{
    return !ReadChoice(std::filesystem::absolute(file).parent_path()).server.empty();
}

} // namespace journal
