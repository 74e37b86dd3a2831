#include "workfolder/SettingsFile.h"

#include "platform/ProfileFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace SettingsFile {

std::filesystem::path In(const std::filesystem::path& folder)
{
    return folder / kFileName;
}

SlipSettings Read(const std::filesystem::path& file)
{
    // Read under this spelling, written as "OP023MyZip": names compare without case and
    // blanks, so both address the same entry.
    static constexpr std::array<std::string_view, 22> kKeys{"Kangarooprnno",
                                                            "mv_Kangarooprn_Top",
                                                            "mv_Kangarooprn_Left",
                                                            "Addr_Font",
                                                            "OP023My",
                                                            "OP023MyZIP ",
                                                            "OP023MyADD1",
                                                            "OP023MyADD2",
                                                            "OP023MyTEL",
                                                            "E_ZIP",
                                                            "E_AD1",
                                                            "E_AD2",
                                                            "E_CUS",
                                                            "E_TEL",
                                                            "E_G1",
                                                            "E_G2",
                                                            "E_G3",
                                                            "KOSUU",
                                                            "de_date1",
                                                            "de_date2",
                                                            "ComboBox_SEL"};
    const std::vector<std::optional<std::string>> values = ProfileFile::ReadValues(file, kSection, kKeys);
    const auto value = [&values](std::string_view key) -> const std::optional<std::string>& {
        return values.at(static_cast<std::size_t>(std::find(kKeys.begin(), kKeys.end(), key) - kKeys.begin()));
    };
    const auto text = [&value](std::string_view key, std::string_view defaultValue = {}) {
        return value(key).value_or(std::string(defaultValue));
    };
    const auto integer = [&value](std::string_view key, int defaultValue) {
        const std::optional<std::string>& found = value(key);
        return found ? ProfileFile::ParseInteger(*found).value_or(defaultValue) : defaultValue;
    };

    SlipSettings settings;
    settings.printerIndex = integer("Kangarooprnno", -1);
    settings.printTop = integer("mv_Kangarooprn_Top", 0);
    settings.printLeft = integer("mv_Kangarooprn_Left", 0);
    settings.addressFont = integer("Addr_Font", 1);
    settings.senderName = text("OP023My");
    settings.senderZip = text("OP023MyZIP ");
    settings.senderAddress1 = text("OP023MyADD1");
    settings.senderAddress2 = text("OP023MyADD2");
    settings.senderTel = text("OP023MyTEL");
    settings.zip = text("E_ZIP");
    settings.address1 = text("E_AD1");
    settings.address2 = text("E_AD2");
    settings.customer = text("E_CUS");
    settings.tel = text("E_TEL");
    settings.goods1 = text("E_G1");
    settings.goods2 = text("E_G2");
    settings.goods3 = text("E_G3");
    settings.pieceCount = text("KOSUU", "1");
    settings.deliveryMonth = text("de_date1");
    settings.deliveryDay = text("de_date2");
    settings.paperIndex = integer("ComboBox_SEL", 0);
    return settings;
}

void Write(const std::filesystem::path& file, const SlipSettings& settings)
{
    const std::string addressFont = std::to_string(settings.addressFont);
    const std::string paperIndex = std::to_string(settings.paperIndex);
    const std::array<ProfileFile::Entry, 18> entries{{
        {"Addr_Font", addressFont},
        {"E_ZIP", settings.zip},
        {"E_AD1", settings.address1},
        {"E_AD2", settings.address2},
        {"E_CUS", settings.customer},
        {"E_TEL", settings.tel},
        {"E_G1", settings.goods1},
        {"E_G2", settings.goods2},
        {"E_G3", settings.goods3},
        {"OP023My", settings.senderName},
        {"OP023MyZip", settings.senderZip},
        {"OP023MyADD1", settings.senderAddress1},
        {"OP023MyADD2", settings.senderAddress2},
        {"OP023MyTEL", settings.senderTel},
        {"ComboBox_SEL", paperIndex},
        {"KOSUU", settings.pieceCount},
        {"de_date1", settings.deliveryMonth},
        {"de_date2", settings.deliveryDay},
    }};
    ProfileFile::WriteValues(file, kSection, entries);
}

} // namespace SettingsFile
