#pragma once

#include "shipping/ShippedFormat.h"
#include "shipping/TrackingNumber.h"

#include <filesystem>
#include <string>

// The settings of tracking numbers and shipped files, kept in `mivo_shipping.ini` in the
// working folder (code page 932, CR LF): [Tracking] CheckDigit=none|mod7 and [Shipped]
// <platform>.<key>=<carrier value>. A missing file or key is the default.
namespace shipping {

inline constexpr const char* kSettingsFileName = "mivo_shipping.ini";

std::filesystem::path SettingsFileIn(const std::filesystem::path& folder);

CheckDigitRule ReadCheckDigitRule(const std::filesystem::path& file);
// Throws FileWriteError; the file keeps its other entries.
void WriteCheckDigitRule(const std::filesystem::path& file, CheckDigitRule rule);

CarrierValues ReadCarrierValues(const std::filesystem::path& file, const ShippedFormat& format);
void WriteCarrierValues(const std::filesystem::path& file, const ShippedFormat& format, const CarrierValues& values);

} // namespace shipping
