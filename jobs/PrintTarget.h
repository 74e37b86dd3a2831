#pragma once

#include "escp/EscpForm.h"
#include "escp/OutputMode.h"
#include "printers/PageGeometry.h"
#include "printers/PrinterService.h"
#include "slipprint/MarginResolution.h"
#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class TPrinterAccess;
struct PrinterRegistration;

// A feed that writes the printer's own commands: how, and where the stream goes (a CUPS
// queue, or a device file when the name starts with "/"; UTF-8).
struct DirectFeed
{
    OutputMode mode = OutputMode::EscpImage;
    std::string device;
};

// Where one job lands: a paper feed's printer with its margins and resolution as numbers.
// Every slip job (the window's F11, `print`, the batch and its preview, the reprint, the
// preview, the calibration page) goes through one; they differ only in what they draw.
// While a target lives its printer is the current one of the printer object; the printer that
// was current before is current again when it ends, with the settings it had, so a command or a
// batch never moves the window's printer. A feed printing through the driver prints with the
// paper size, source and resolution registered with its printer, and its margins keep their
// distance on paper when the resolution they were registered at is not the one in force.
class PrintTarget
{
public:
    // The feed's printer as registered in `folder` with its settings, or `printerName` instead
    // (the feed's margins either way; its settings when it is the registered printer). Throws
    // when that printer is not there (never another one in its place), when the server does not
    // answer, or when a registered margin is not a number.
    static PrintTarget Registered(TPrinterAccess& printer, const std::filesystem::path& folder, int paper,
                                  const std::optional<std::string>& printerName = {});
    // The printer already current, with margins the caller holds as dots (the window's fields).
    static PrintTarget Current(TPrinterAccess& printer, int paper, int top, int left);
    // The window's target: the printer already current for a feed printing through the driver,
    // with the feed's registered settings, the registered queue or device file for a direct one.
    // `top` and `left` count in the registration's dots. `output` in place of the registered one
    // (a choice tried before it is registered).
    static PrintTarget InForce(TPrinterAccess& printer, const std::filesystem::path& folder, int paper, int top,
                               int left, std::optional<OutputMode> output = {});
    // A direct feed with margins as dots of 1/180 inch, the printer's own. A queue is selected
    // in the printer layer (for the hand-fed paper's length); a device file is not.
    static PrintTarget Direct(TPrinterAccess& printer, int paper, int top, int left, const DirectFeed& feed);
    // A slip printed before with `printed` (its resolution and margins) printed again on
    // `printerName`: with the feed's registered settings when that is the feed's registered
    // printer in `folder`, the margins keeping their distance on paper.
    static PrintTarget Reprinted(TPrinterAccess& printer, const std::filesystem::path& folder,
                                 const std::string& printerName, int paper, const SlipPrintState& printed);

    ~PrintTarget();
    PrintTarget(const PrintTarget&) = delete;
    PrintTarget& operator=(const PrintTarget&) = delete;

    TPrinterAccess& printer() const { return m_printer; }
    int paper() const { return m_paper; }
    // The feed's name (UTF-8) as the journal and the window show it.
    std::string paperFeed() const;
    bool continuous() const { return m_paper == 1; }
    // The resolution of the printer and the margins in dots.
    const SlipPrintState& state() const { return m_state; }
    // Each page is one form long on continuous stationery, whatever paper the printer reports;
    // 0 keeps the paper in force.
    double pageLengthPt() const;
    // The printer's page as a job on this target uses it.
    PageGeometry page() const;
    // The printer's name as the printer layer lists it; a direct feed's queue or device file.
    std::string printerName() const;

    // Driver, or the direct mode of a feed that bypasses the driver.
    OutputMode output() const { return m_output; }
    bool direct() const { return m_output != OutputMode::Driver; }
    // A direct feed's queue or device file.
    const std::string& device() const { return m_device; }
    // A direct feed's form: four inches on continuous stationery, the length of the paper in
    // force when hand-fed (four inches when the printer layer cannot tell).
    const EscpForm& form() const { return m_form; }
    // What the user should know before the job (UTF-8): registered settings the driver no longer
    // offers, a margin resolution that cannot be read.
    const std::vector<std::string>& warnings() const { return m_warnings; }

private:
    // What a driver feed's target takes from the registration: the driver settings to put in
    // force (none: those in force), the resolution the margins count in (none: dots as they
    // stand), and what the user should know of either.
    struct Taken
    {
        const PrinterRegistration* settings = nullptr;
        std::optional<marginresolution::Dpi> marginBasis;
        std::vector<std::string> warnings;
    };
    static Taken taken(const PrinterRegistration& entry, bool withSettings);

    // Remembers the current printer, then selects `index` (when given), puts the settings taken
    // in force and reads its resolution.
    PrintTarget(TPrinterAccess& printer, int paper, int top, int left, std::optional<int> index, Taken registration);
    PrintTarget(TPrinterAccess& printer, int paper, int top, int left, const DirectFeed& feed);
    void readResolution();
    void rememberSettings();
    // The printer and settings that were current before, in force again.
    void giveBack();

    TPrinterAccess& m_printer;
    int m_previousIndex;
    int m_paper;
    SlipPrintState m_state;
    OutputMode m_output = OutputMode::Driver;
    std::string m_device;
    EscpForm m_form;
    bool m_selects = true; // false: a device file, the printer layer untouched
    // The settings of the printer current before, when the target changed them.
    std::optional<DriverSettings> m_previousSettings;
    std::vector<std::string> m_warnings;
};

// The direct feed registered in `folder` for `paper` (its printer, or `printerName` instead);
// nothing for a feed printing through the driver.
std::optional<DirectFeed> RegisteredDirectFeed(const std::filesystem::path& folder, int paper,
                                               const std::optional<std::string>& printerName = {});

// The print server's failure when it does not answer and the registered printer is one of its
// queues (a number alone may stand for one): printing elsewhere would replace it silently.
// Empty when the printer is listed or the server answered.
std::string UnreachableRegistered(TPrinterAccess& printer, const PrinterRegistration& entry);

// The registration section of a paper feed (code page 932); an index the list does not have
// selects no section.
std::string PaperSection(int index);

// The index of a paper feed named as the paper selection lists it (UTF-8); 0 for any other.
int PaperIndex(const std::string& feedName);

// The slip of the last session as `print` and `preview` load it: the settings file, sender 1
// and today's date.
Slip LastSessionSlip(const std::filesystem::path& folder);
// The paper feed stored with the last session.
int LastSessionPaper(const std::filesystem::path& folder);
