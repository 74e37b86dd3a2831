#include "SettingsFile.h"

#include "ProfileFile.h"

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
    std::size_t next = 0;
    const auto text = [&values, &next](std::string_view defaultValue = {}) {
        const std::optional<std::string>& value = values[next++];
        return value ? *value : std::string(defaultValue);
    };
    const auto integer = [&values, &next](int defaultValue) {
        const std::optional<std::string>& value = values[next++];
        return value ? ProfileFile::ParseInteger(*value).value_or(defaultValue) : defaultValue;
    };

    SlipSettings settings;
    settings.printerIndex = integer(-1);
    settings.printTop = integer(0);
    settings.printLeft = integer(0);
    settings.addressFont = integer(1);
    settings.senderName = text();
    settings.senderZip = text();
    settings.senderAddress1 = text();
    settings.senderAddress2 = text();
    settings.senderTel = text();
    settings.zip = text();
    settings.address1 = text();
    settings.address2 = text();
    settings.customer = text();
    settings.tel = text();
    settings.goods1 = text();
    settings.goods2 = text();
    settings.goods3 = text();
    settings.pieceCount = text("1");
    settings.deliveryMonth = text();
    settings.deliveryDay = text();
    settings.paperIndex = integer(0);
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
