#include "journal/JournalChoice.h"

#include "journal/ServerAddress.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <QString>

#include <array>
#include <cstdlib>
#include <string_view>

namespace journal {
namespace {

constexpr std::string_view kSection = "Journal";
constexpr std::string_view kServerKey = "Server";
constexpr std::string_view kStationKey = "Station";

} // namespace

std::filesystem::path ChoiceFile(const std::filesystem::path& folder)
{
    return folder / kChoiceFileName;
}

JournalChoice ReadChoice(const std::filesystem::path& folder)
{
    constexpr std::array<std::string_view, 2> keys{kServerKey, kStationKey};
    const auto values = ProfileFile::ReadValues(ChoiceFile(folder), kSection, keys);
    JournalChoice choice;
    choice.server = cp932::ToUtf8(values[0].value_or(""));
    choice.station = cp932::ToUtf8(values[1].value_or(""));
    if (const char* server = std::getenv(kServerVariable)) {
        choice.server = server;
    }
    choice.server = QString::fromStdString(choice.server).trimmed().toStdString();
    return choice;
}

void WriteServer(const std::filesystem::path& folder, const std::string& server)
{
    const std::string trimmed = QString::fromStdString(server).trimmed().toStdString();
    if (!trimmed.empty()) {
        ParseServerUri(trimmed);
    }
    ProfileFile::WriteString(ChoiceFile(folder), kSection, kServerKey, cp932::FromUtf8(trimmed));
}

} // namespace journal
