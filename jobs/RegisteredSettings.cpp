#include "jobs/RegisteredSettings.h"

#include "platform/Cp932.h"
#include "printers/TPrinterAccess.h"
#include "workfolder/PrinterRegistration.h"

namespace registeredsettings {

DriverSettings Of(const PrinterRegistration& entry)
{
    return {cp932::ToUtf8(entry.paperSize.value_or("")), cp932::ToUtf8(entry.paperSource.value_or("")),
            cp932::ToUtf8(entry.resolution.value_or(""))};
}

std::vector<std::string> Apply(TPrinterAccess& printer, const PrinterRegistration& entry)
{
    const DriverSettings settings = Of(entry);
    if (settings == DriverSettings{}) {
        return {};
    }
    PrinterService& service = printer.Service();
    const DeviceDescription device = service.currentDevice();
    service.setPrinter(device.device, device.driver, device.port);
    std::vector<std::string> warnings;
    for (const std::string& refused : service.applyDriverSettings(settings)) {
        warnings.push_back("登録された設定 " + refused + " はプリンタ「" + device.device +
                           "」にありません。ドライバの既定で印刷します。");
    }
    printer.Refresh();
    return warnings;
}

std::optional<marginresolution::Dpi> MarginBasis(const PrinterRegistration& entry, std::vector<std::string>& warnings)
{
    if (!entry.marginDpi || entry.marginDpi->empty()) {
        return std::nullopt;
    }
    const std::optional<marginresolution::Dpi> basis = marginresolution::ParseDpi(*entry.marginDpi);
    if (!basis) {
        warnings.push_back("登録された余白の解像度 MarginDpi=" + cp932::ToUtf8(*entry.marginDpi) +
                           " が読めません。余白はドット数のまま使います。");
    }
    return basis;
}

marginresolution::Dpi MarginBasisOr(const PrinterRegistration& entry, marginresolution::Dpi inForce)
{
    std::vector<std::string> unread;
    return MarginBasis(entry, unread).value_or(inForce);
}

void Record(PrinterRegistration& entry, const PrinterRegistration& before, const DriverSettings& inForce)
{
    const auto record = [](std::optional<std::string>& key, const std::optional<std::string>& stood,
                           const std::string& keyword) {
        if (!keyword.empty() || stood) {
            key = cp932::FromUtf8(keyword);
        }
    };
    record(entry.paperSize, before.paperSize, inForce.paperSize);
    record(entry.paperSource, before.paperSource, inForce.paperSource);
    record(entry.resolution, before.resolution, inForce.resolution);
}

} // namespace registeredsettings
