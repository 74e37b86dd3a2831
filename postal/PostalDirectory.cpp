#include "postal/PostalDirectory.h"

#include "platform/RegularFile.h"
#include "postal/BuiltInData.h"
#include "postal/PostalData.h"

#include <charconv>
#include <map>
#include <mutex>

namespace postal {

PostalDirectory::PostalDirectory() : m_data(std::make_unique<DirectoryData>()) {}

PostalDirectory::PostalDirectory(std::string bytes)
    : m_bytes(std::move(bytes)), m_data(std::make_unique<DirectoryData>(m_bytes))
{}

PostalDirectory::PostalDirectory(BuiltInTag) : m_data(std::make_unique<DirectoryData>(builtInData())) {}

PostalDirectory::~PostalDirectory() = default;
PostalDirectory::PostalDirectory(PostalDirectory&&) noexcept = default;
PostalDirectory& PostalDirectory::operator=(PostalDirectory&&) noexcept = default;

PostalDirectory PostalDirectory::builtIn()
{
    return PostalDirectory(BuiltInTag{});
}

// Read in one piece: the list is a few megabytes and its size is known beforehand.
PostalDirectory PostalDirectory::fromFile(const std::filesystem::path& file)
{
    std::optional<std::string> bytes = ReadRegularFile(file, kMaxDirectoryFileBytes);
    if (!bytes) {
        throw FileReadError(file, FileReadError::Reason::Unreadable);
    }
    return PostalDirectory(std::move(*bytes));
}

std::vector<PostalEntry> PostalDirectory::find(std::string_view sevenDigits) const
{
    std::uint32_t code = 0;
    const char* end = sevenDigits.data() + sevenDigits.size();
    if (sevenDigits.size() != 7 || sevenDigits.front() == '+' ||
        std::from_chars(sevenDigits.data(), end, code).ptr != end) {
        return {};
    }
    return m_data->find(code);
}

bool PostalDirectory::empty() const
{
    return m_data->entryCount() == 0;
}

std::size_t PostalDirectory::entryCount() const
{
    return m_data->entryCount();
}

namespace {

struct FileStamp
{
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;

    auto operator<=>(const FileStamp&) const = default;
};

FileStamp stampOf(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || !std::filesystem::exists(status)) {
        return {};
    }
    // A FIFO or a folder under the name is there too, and is refused with a reason when loaded.
    if (!std::filesystem::is_regular_file(status)) {
        return {true, 0, {}};
    }
    FileStamp stamp{true, std::filesystem::file_size(file, error), std::filesystem::last_write_time(file, error)};
    return error ? FileStamp{} : stamp;
}

const PostalDirectory& builtInDirectory()
{
    static const PostalDirectory directory = PostalDirectory::builtIn();
    return directory;
}

// A mivo_postal.dat, or why the built-in list stands in for it.
struct LoadedUpdate
{
    std::unique_ptr<PostalDirectory> directory;
    std::string fallbackReason;
};

// A damaged, oversized or unreadable mivo_postal.dat leaves the built-in list in force.
LoadedUpdate loadUpdate(const std::filesystem::path& file)
{
    try {
        return {std::make_unique<PostalDirectory>(PostalDirectory::fromFile(file)), {}};
    } catch (const FileReadError& error) {
        return {nullptr, error.what()};
    } catch (const std::exception& error) {
        return {nullptr, FullPath(file) + " が壊れています（" + error.what() + "）"};
    }
}

// The working folder's mivo_postal.dat as loaded; nothing when there is none.
const LoadedUpdate* updateFor(const std::filesystem::path& workingFolder)
{
    static std::mutex mutex;
    static std::map<std::pair<std::filesystem::path, FileStamp>, LoadedUpdate> loaded;

    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(workingFolder / kDirectoryFileName, error);
    const FileStamp stamp = stampOf(file);
    if (!stamp.exists) {
        return nullptr;
    }
    const std::lock_guard lock(mutex);
    auto [it, added] = loaded.try_emplace({file, stamp});
    if (added) {
        it->second = loadUpdate(file);
    }
    return &it->second;
}

} // namespace

const PostalDirectory& directoryFor(const std::filesystem::path& workingFolder)
{
    const LoadedUpdate* update = updateFor(workingFolder);
    return update && update->directory ? *update->directory : builtInDirectory();
}

std::optional<std::string> builtInFallbackReason(const std::filesystem::path& workingFolder)
{
    const LoadedUpdate* update = updateFor(workingFolder);
    if (!update || update->directory) {
        return std::nullopt;
    }
    return update->fallbackReason + "。組み込みの郵便番号一覧を使います";
}

} // namespace postal
