#include "shipping/ShippingSettings.h"

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

namespace shipping {
namespace {

constexpr std::string_view kTracking = "Tracking";
constexpr std::string_view kShipped = "Shipped";
constexpr std::string_view kMod7 = "mod7";

std::string keyOf(const ShippedFormat& format, const CarrierSetting& setting)
{
    return std::string(format.name) + "." + std::string(setting.key);
}

std::string readCarrier(const std::filesystem::path& file, const ShippedFormat& format, std::size_t index)
{
    if (index >= format.carrier.size()) {
        return {};
    }
    const CarrierSetting& setting = format.carrier[index];
    const std::string stored = ProfileFile::ReadString(file, kShipped, keyOf(format, setting), "");
    return stored.empty() ? std::string(setting.defaultValue) : cp932::ToUtf8(stored);
}

} // namespace

std::filesystem::path SettingsFileIn(const std::filesystem::path& folder)
{
    return folder / kSettingsFileName;
}

CheckDigitRule ReadCheckDigitRule(const std::filesystem::path& file)
{
    return ProfileFile::ReadString(file, kTracking, "CheckDigit", "none") == kMod7 ? CheckDigitRule::Mod7
                                                                                   : CheckDigitRule::None;
}

void WriteCheckDigitRule(const std::filesystem::path& file, CheckDigitRule rule)
{
    ProfileFile::WriteString(file, kTracking, "CheckDigit", rule == CheckDigitRule::Mod7 ? kMod7 : "none");
}

CarrierValues ReadCarrierValues(const std::filesystem::path& file, const ShippedFormat& format)
{
    CarrierValues values;
    for (std::size_t i = 0; i < format.carrier.size(); ++i) {
        (format.carrier[i].key == "carrierCode" ? values.code : values.name) = readCarrier(file, format, i);
    }
    return values;
}

void WriteCarrierValues(const std::filesystem::path& file, const ShippedFormat& format, const CarrierValues& values)
{
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    for (const CarrierSetting& setting : format.carrier) {
        keys.push_back(keyOf(format, setting));
        texts.push_back(cp932::FromUtf8(setting.key == "carrierCode" ? values.code : values.name));
    }
    std::vector<ProfileFile::Entry> entries;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        entries.push_back({keys[i], texts[i]});
    }
    ProfileFile::WriteValues(file, kShipped, entries);
}

} // namespace shipping
