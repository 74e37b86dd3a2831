#include "postal/PostalDirectory.h"

#include "postal/BuiltInData.h"
#include "postal/PostalData.h"

#include <charconv>
#include <cstdio>
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
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(file.c_str(), "rb"), &std::fclose);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!stream || error) {
        throw std::runtime_error(file.string() + " を読み込めません");
    }
    std::string bytes(size, '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), stream.get()) != bytes.size() || std::fgetc(stream.get()) != EOF) {
        throw std::runtime_error(file.string() + " を読み込めません");
    }
    return PostalDirectory(std::move(bytes));
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
    if (error || !std::filesystem::is_regular_file(status)) {
        return {};
    }
    FileStamp stamp{true, std::filesystem::file_size(file, error), std::filesystem::last_write_time(file, error)};
    return error ? FileStamp{} : stamp;
}

const PostalDirectory& builtInDirectory()
{
    static const PostalDirectory directory = PostalDirectory::builtIn();
    return directory;
}

// A damaged or unreadable mivo_postal.dat leaves the built-in list in force.
std::unique_ptr<PostalDirectory> loadUpdate(const std::filesystem::path& file)
{
    try {
        return std::make_unique<PostalDirectory>(PostalDirectory::fromFile(file));
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace

const PostalDirectory& directoryFor(const std::filesystem::path& workingFolder)
{
    static std::mutex mutex;
    static std::map<std::pair<std::filesystem::path, FileStamp>, std::unique_ptr<PostalDirectory>> loaded;

    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(workingFolder / kDirectoryFileName, error);
    const FileStamp stamp = stampOf(file);
    if (!stamp.exists) {
        return builtInDirectory();
    }
    const std::lock_guard lock(mutex);
    auto [it, added] = loaded.try_emplace({file, stamp});
    if (added) {
        it->second = loadUpdate(file);
    }
    return it->second ? *it->second : builtInDirectory();
}

} // namespace postal
