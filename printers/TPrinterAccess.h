#pragma once

#include "printers/EPrinterAccess.h"
#include "printers/PageGeometry.h"
#include "printers/PrinterService.h"
#include "printers/TAllPrintersInfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Canvas;

// The one process-wide printer object: the printers the user may choose (hidden ones left
// out) with a visible index, the current printer's paper sizes and bins, resolution and
// scale, and the print job. Capability lists are cached per selected printer; the settings
// block is copied once and reused until a printer change or Refresh drops it.
class TPrinterAccess
{
public:
    using StringList = std::vector<std::string>;
    using ChangeHandler = std::function<void(TPrinterAccess& sender)>;

    // Members of the supported-settings set, as bit positions of GetSupportedFields.
    enum Field : int
    {
        FieldOrientation = 0,
        FieldPaperSize = 1,
        FieldScale = 4,
        FieldDefaultSource = 6,
    };

    // Takes the printer snapshot and watches the service's settings changes.
    explicit TPrinterAccess(std::unique_ptr<PrinterService> service);
    ~TPrinterAccess();
    TPrinterAccess(const TPrinterAccess&) = delete;
    TPrinterAccess& operator=(const TPrinterAccess&) = delete;

    ::Canvas& Canvas();
    // `pageLengthPt`: the pages' length when not the paper's (see PrinterService::setPageLength).
    void BeginDoc(const std::string& title, double pageLengthPt = 0);
    void EndDoc();
    void Abort();
    void NewPage();

    int Index() { return GetIndex(); }
    int GetIndex();
    // -1 selects the system's default printer; another printer starts with its driver defaults.
    void SetIndex(int value);

    const StringList& GetPrinterNames();
    int GetPaperSizeNumber();
    const StringList& GetPaperSizeNames();
    int GetPaperSizeIndex();
    int GetBinNumber();
    const StringList& GetBinNames();
    int GetBinIndex();
    void GetResolution(int& x, int& y);
    std::uint16_t GetScale();
    // The current paper, its printable area (device position 0, 0 is its top-left corner)
    // and the printer's dots.
    PageGeometry GetPageGeometry();
    std::uint32_t GetSupportedFields();
    const StringList& GetPortNames();
    // Why the system's queues are missing from the printer names (its print server did not
    // answer, the printers that need none are listed); empty when they are all there.
    const std::string& ServerFailure() const { return m_printers.Failure(); }
    void Refresh();
    void CheckNoPrinter();

    const ChangeHandler& OnChange() const { return m_onChange; }
    void SetOnChange(ChangeHandler handler) { m_onChange = std::move(handler); }

    // What the system's settings-change notification runs.
    void SettingsChanged();

    PrinterService& Service() { return *m_service; }

private:
    void CheckSupported(int member, const char* message);
    void UpdateCapabilities();
    const DevMode& DevModeSnapshot();
    void DropDevMode() { m_devMode.reset(); }
    void RaiseChange();

    std::unique_ptr<PrinterService> m_service;
    TAllPrintersInfo m_printers;
    std::vector<std::uint16_t> m_paperNumbers;
    StringList m_paperNames;
    std::vector<std::uint16_t> m_binNumbers;
    StringList m_binNames;
    StringList m_printerNames;
    StringList m_portNames;
    int m_cachedIndex = -1;
    ChangeHandler m_onChange;
    std::uint8_t m_infoFlags = 0;
    std::optional<DevMode> m_devMode;
};

// The global printer object. main installs the real service before creating any window;
// tests install a fake. Installing again replaces the object.
void InstallPrinterService(std::unique_ptr<PrinterService> service);
// Throws std::logic_error when no service has been installed.
TPrinterAccess& PrinterAccess();
// Frees the global object (at the end of main, while Qt is still there).
void UninstallPrinterService();
