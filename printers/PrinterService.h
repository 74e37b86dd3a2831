#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class Canvas;
struct PageGeometry;

// A printer as the system lists it. Attribute bit 0x20 marks a printer that the user is not
// offered.
struct PrinterRecord
{
    std::string name;
    std::uint32_t attributes = 0;

    bool operator==(const PrinterRecord&) const = default;
};

inline constexpr std::uint32_t PrinterAttributeHidden = 0x20;

// The settings block of the current printer: which settings it carries (dmFields bits) and
// the four the program reads.
struct DevMode
{
    std::uint32_t dmFields = 0;
    std::int16_t dmPaperSize = 0;
    std::uint16_t dmScale = 100;
    std::int16_t dmDefaultSource = 0;

    bool operator==(const DevMode&) const = default;
};

namespace dm {
inline constexpr std::uint32_t Orientation = 0x1;
inline constexpr std::uint32_t PaperSize = 0x2;
inline constexpr std::uint32_t Scale = 0x10;
inline constexpr std::uint32_t Copies = 0x100;
inline constexpr std::uint32_t DefaultSource = 0x200;
inline constexpr std::uint32_t PrintQuality = 0x400;
inline constexpr std::uint32_t YResolution = 0x2000;
} // namespace dm

// Usual bin numbers of the platform.
namespace bin {
inline constexpr std::int16_t Upper = 1;
inline constexpr std::int16_t Lower = 2;
inline constexpr std::int16_t Middle = 3;
inline constexpr std::int16_t Manual = 4;
inline constexpr std::int16_t Envelope = 5;
inline constexpr std::int16_t EnvelopeManual = 6;
inline constexpr std::int16_t Auto = 7;
inline constexpr std::int16_t Tractor = 8;
inline constexpr std::int16_t LargeCapacity = 11;
inline constexpr std::int16_t Cassette = 14;
// Numbers from here on are the driver's own.
inline constexpr std::int16_t User = 256;
} // namespace bin

// The current printer: its names and a copy of its settings block.
struct DeviceDescription
{
    std::string device;
    std::string driver;
    std::string port;
    DevMode devMode;
};

// One paper size or bin the printer offers. Paper sizes also carry their size in points
// (0 when unknown), which the platform dialog needs to match its own choice.
struct Capability
{
    std::uint16_t number = 0;
    std::string name;
    double widthPt = 0;
    double heightPt = 0;

    bool operator==(const Capability&) const = default;
};

struct Resolution
{
    int x = 0;
    int y = 0;

    bool operator==(const Resolution&) const = default;
};

// What the last completed job became: its CUPS job id, or the file it was written to.
struct JobReceipt
{
    int jobId = 0;
    std::string file;
};

// What the platform's print dialog shows and returns: the printer by name, and the paper
// size and bin by number. A paper size chosen from the dialog's own list may carry only a
// name and a size; the service matches it against the printer's list.
struct DialogChoice
{
    std::string printer;
    std::optional<Capability> paperSize;
    std::optional<std::int16_t> bin;

    // A setting the driver offers under its own keyword (Resolution, InputSlot): its choices
    // as keyword and shown text, the one in force and the driver's default. A dialog that
    // knows the driver returns the keyword chosen.
    struct DriverOption
    {
        std::string keyword;
        std::vector<std::pair<std::string, std::string>> choices;
        std::string current;
        std::string byDefault;
    };
    std::vector<DriverOption> driverOptions{};
};

// The paper size, paper source and resolution by the driver's keywords (PageSize, InputSlot,
// Resolution), as a registration keeps them; empty where the driver has no such setting, or
// (when applied) where the setting stays as it is.
struct DriverSettings
{
    std::string paperSize;
    std::string paperSource;
    std::string resolution;

    bool operator==(const DriverSettings&) const = default;
};

// The system's printer service as the printer layer uses it: a printer object with a
// current printer and its settings, capability queries, resolution, and the job. The
// printer object keeps the list it enumerated when it was created, in the order of
// enumPrinters(), so that index i means the same printer in both.
class PrinterService
{
public:
    virtual ~PrinterService() = default;

    // A fresh enumeration of the system's printers. Throws when the system cannot answer.
    virtual std::vector<PrinterRecord> enumPrinters() = 0;
    // Why the system's own queues are missing from the last enumeration, when its print
    // server did not answer and only the printers that need no server were listed; empty
    // when it answered.
    virtual std::string serverFailure() { return {}; }
    // Ports (device addresses) known to the system, as it reports them.
    virtual std::vector<std::string> enumPorts() = 0;

    // The printer object's current index; reading it selects the default printer when none
    // is selected yet. -1 when there is no current printer.
    virtual int printerIndex() = 0;
    // -1 selects the system's default printer. Throws on an index out of range.
    virtual void setPrinterIndex(int index) = 0;
    virtual DeviceDescription currentDevice() = 0;
    // Selects the named printer again without a settings block: its settings become the
    // driver's defaults.
    virtual void setPrinter(const std::string& device, const std::string& driver, const std::string& port) = 0;
    // Forgets the printer object; the next use enumerates anew and selects the default printer.
    virtual void resetPrinterObject() = 0;

    // Empty when the driver reports none.
    virtual std::vector<Capability> paperSizes(const DeviceDescription& device) = 0;
    virtual std::vector<Capability> bins(const DeviceDescription& device) = 0;
    // Dots per inch of the current printer.
    virtual Resolution resolution() = 0;
    // The current paper size with the area the driver prints on, at the current resolution.
    // By default the paper is the current one of paperSizes(), printable to its edges.
    virtual PageGeometry pageGeometry();

    // Pages of the jobs begun from now on are this long (points) instead of the paper's own
    // length, for stationery that the printer feeds in lengths of its own (continuous forms);
    // 0: the paper's length. Width, resolution and the printable area's corner stay.
    void setPageLength(double lengthPt) { m_pageLengthPt = lengthPt; }
    // pageGeometry() with the page length set for jobs.
    PageGeometry jobPageGeometry();
    virtual void beginDoc(const std::string& title) = 0;
    virtual void endDoc() = 0;
    virtual void abortDoc() = 0;
    // Ends the running job's page and starts the next one, for jobs of several slips. A
    // service that prints one page per job says so.
    virtual void newPage() { throw std::runtime_error("This printer prints one page per job"); }
    // The drawing surface of the running job.
    virtual Canvas& canvas() = 0;
    // Empty until a job has ended, and for a service that cannot tell.
    virtual JobReceipt lastJob() const { return {}; }

    // The platform dialog's view of the current printer, and the user's confirmed choice.
    virtual DialogChoice dialogChoice() = 0;
    virtual void applyDialogChoice(const DialogChoice& choice) = 0;

    // The current printer's settings in force by keyword. A service without keywords has none.
    virtual DriverSettings driverSettings() { return {}; }
    // Puts each setting given in force on the current printer. Returns "Key=keyword" for each
    // one the driver does not offer, which stays as it was; a service without keywords offers
    // none.
    virtual std::vector<std::string> applyDriverSettings(const DriverSettings& settings);

    // Called whenever the system's printer settings may have changed.
    void setSettingsChangeHandler(std::function<void()> handler) { m_settingsChanged = std::move(handler); }

protected:
    void notifySettingsChanged()
    {
        if (m_settingsChanged) {
            m_settingsChanged();
        }
    }

    double pageLength() const { return m_pageLengthPt; }

private:
    std::function<void()> m_settingsChanged;
    double m_pageLengthPt = 0;
};
