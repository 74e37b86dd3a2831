#include "journal/SharedJournal.h"

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

} // namespace

std::shared_ptr<Journal> OpenShared(const std::filesystem::path& file, Journal::Access access)
{
    const std::lock_guard<std::mutex> held(registryLock());
    OpenJournal& open = registry()[keyOf(file)];
    if (std::shared_ptr<Journal> journal = open.journal.lock()) {
        if (open.thread != std::this_thread::get_id()) {
            throw JournalError(file.string() + ": the journal is in use on another thread");
        }
        if (access == Journal::Access::ReadWrite) {
            journal->prepareForWriting();
        }
        return journal;
    }
    auto journal = std::make_shared<Journal>(file, access);
    open = {journal, std::this_thread::get_id()};
    return journal;
}

} // namespace journal
