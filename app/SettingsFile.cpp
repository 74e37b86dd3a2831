#include "SettingsFile.h"

#include "ProfileFile.h"

#include <string_view>

namespace SettingsFile {

std::filesystem::path In(const std::filesystem::path& folder)
{
    return folder / kFileName;
}

SlipSettings Read(const std::filesystem::path& file)
{
    const auto text = [&file](std::string_view key, std::string_view defaultValue = {}) {
        return ProfileFile::ReadString(file, kSection, key, defaultValue);
    };
    const auto integer = [&file](std::string_view key, int defaultValue) {
        return ProfileFile::ReadInteger(file, kSection, key, defaultValue);
    };

    SlipSettings settings;
    settings.printerIndex = integer("Kangarooprnno", -1);
    settings.printTop = integer("mv_Kangarooprn_Top", 0);
    settings.printLeft = integer("mv_Kangarooprn_Left", 0);
    settings.addressFont = integer("Addr_Font", 1);
    settings.senderName = text("OP023My");
    // Read under this spelling, written as "OP023MyZip": names compare without case and
    // blanks, so both address the same entry.
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
    const auto write = [&file](std::string_view key, const std::string& value) {
        ProfileFile::WriteString(file, kSection, key, value);
    };
    write("Addr_Font", std::to_string(settings.addressFont));
    write("E_ZIP", settings.zip);
    write("E_AD1", settings.address1);
    write("E_AD2", settings.address2);
    write("E_CUS", settings.customer);
    write("E_TEL", settings.tel);
    write("E_G1", settings.goods1);
    write("E_G2", settings.goods2);
    write("E_G3", settings.goods3);
    write("OP023My", settings.senderName);
    write("OP023MyZip", settings.senderZip);
    write("OP023MyADD1", settings.senderAddress1);
    write("OP023MyADD2", settings.senderAddress2);
    write("OP023MyTEL", settings.senderTel);
    write("ComboBox_SEL", std::to_string(settings.paperIndex));
    write("KOSUU", settings.pieceCount);
    write("de_date1", settings.deliveryMonth);
    write("de_date2", settings.deliveryDay);
}

} // namespace SettingsFile
