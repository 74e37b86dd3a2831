#include "jobs/PrintTarget.h"

#include "escp/EscpCommands.h"
#include "jobs/RegisteredSettings.h"
#include "jobs/StartSlip.h"
#include "platform/Cp932.h"
#include "platform/StrToInt.h"
#include "printers/EPrinterAccess.h"
#include "printers/RawOutput.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/MarginDots.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipFormOutline.h"
#include "workfolder/PrinterRegistration.h"
#include "workfolder/SettingsFile.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

int indexOfName(TPrinterAccess& printer, const std::string& name)
{
    const std::vector<std::string> names = printer.GetPrinterNames();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        if (!printer.ServerFailure().empty()) {
            throw EPrinterAccessServerError(printer.ServerFailure());
        }
        throw std::runtime_error("no printer named " + name);
    }
    return static_cast<int>(found - names.begin());
}

// A server that does not answer raises its error here: the registered printer, and never
// another one in its place.
int registeredIndex(TPrinterAccess& printer, const PrinterRegistration& entry)
{
    const std::vector<std::string> names = printer.GetPrinterNames();
    if (const std::string unreachable = UnreachableRegistered(printer, entry); !unreachable.empty()) {
        throw EPrinterAccessServerError(unreachable);
    }
    if (const std::optional<std::string> missing = registration::MissingPrinter(entry, names)) {
        throw std::runtime_error(missing->empty()
                                     ? "the registered printer number " + entry.printerIndex + " is not installed"
                                     : "the registered printer " + *missing + " is not installed");
    }
    return StrToInt(registration::ResolvePrinterIndex(entry, names));
}

void select(TPrinterAccess& printer, int index)
{
    if (printer.Index() != index) {
        printer.SetIndex(index);
    }
}

// The hand-fed form is the paper the queue has in force; four inches when it cannot tell.
int handFedLengthDots(TPrinterAccess& printer)
{
    try {
        const double lengthPt = printer.GetPageGeometry().paperHeightPt;
        if (lengthPt > 0) {
            return static_cast<int>(std::lround(lengthPt * escp::kDotsPerInch / 72));
        }
    } catch (const std::exception&) {
        // No paper to ask about: the continuous form's length.
    }
    return EscpForm{}.lengthDots;
}

// The page of a direct feed is the form itself, printable to its edges.
PageGeometry formPage(const EscpForm& form)
{
    const double widthPt = form.widthDots * 72.0 / escp::kDotsPerInch;
    const double lengthPt = form.lengthDots * 72.0 / escp::kDotsPerInch;
    return {widthPt, lengthPt, 0, 0, widthPt, lengthPt, {escp::kDotsPerInch, escp::kDotsPerInch}};
}

std::string trimmedUtf8(const std::string& cp932Text)
{
    const std::string text = cp932::ToUtf8(cp932Text);
    const auto first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

std::optional<DirectFeed> directFeedOf(const PrinterRegistration& entry, const std::optional<std::string>& printerName)
{
    const OutputMode mode = OutputModeFromKey(entry.output);
    if (mode == OutputMode::Driver) {
        return std::nullopt;
    }
    return DirectFeed{mode, printerName.value_or(trimmedUtf8(entry.printerName))};
}

} // namespace

PrintTarget::PrintTarget(TPrinterAccess& printer, int paper, int top, int left, std::optional<int> index,
                         Taken registration)
    : m_printer(printer), m_previousIndex(printer.Index()), m_paper(paper), m_state{0, 0, top, left},
      m_warnings(std::move(registration.warnings))
{
    try {
        if (index && *index != m_previousIndex) {
            rememberSettings();
            select(printer, *index);
        }
        if (registration.settings && registeredsettings::Of(*registration.settings) != DriverSettings{}) {
            rememberSettings();
            const std::vector<std::string> refused = registeredsettings::Apply(printer, *registration.settings);
            m_warnings.insert(m_warnings.end(), refused.begin(), refused.end());
        }
        readResolution();
    } catch (const std::exception&) {
        // No destructor runs for a target that was never made.
        giveBack();
        throw;
    }
    if (const std::optional<marginresolution::Dpi> from = registration.marginBasis) {
        m_state.top = marginresolution::ConvertDots(top, from->y, m_state.dpiY);
        m_state.left = marginresolution::ConvertDots(left, from->x, m_state.dpiX);
    }
}

void PrintTarget::readResolution()
{
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(m_printer);
    m_state.dpiX = resolution.x;
    m_state.dpiY = resolution.y;
}

void PrintTarget::rememberSettings()
{
    if (m_previousSettings) {
        return;
    }
    try {
        m_previousSettings = m_printer.Service().driverSettings();
    } catch (const std::exception&) {
        // Nothing to give back: the printer then keeps what the job put in force.
    }
}

PrintTarget::Taken PrintTarget::taken(const PrinterRegistration& entry, bool withSettings)
{
    Taken result;
    result.settings = withSettings ? &entry : nullptr;
    result.marginBasis = registeredsettings::MarginBasis(entry, result.warnings);
    return result;
}

PrintTarget::PrintTarget(TPrinterAccess& printer, int paper, int top, int left, const DirectFeed& feed)
    : m_printer(printer), m_previousIndex(0),
      m_paper(paper), m_state{escp::kDotsPerInch, escp::kDotsPerInch, top, left}, m_output(feed.mode),
      m_device(feed.device)
{
    m_selects = false;
    if (m_output == OutputMode::Driver) {
        throw std::invalid_argument("a direct feed needs a direct output");
    }
    if (m_device.empty()) {
        throw std::runtime_error("the direct feed has no registered printer");
    }
    if (rawoutput::IsDeviceFile(m_device)) {
        return;
    }
    m_previousIndex = printer.Index();
    m_selects = true;
    select(printer, indexOfName(printer, m_device));
    if (!continuous()) {
        m_form.lengthDots = handFedLengthDots(printer);
    }
}

PrintTarget::~PrintTarget()
{
    if (m_selects) {
        giveBack();
    }
}

void PrintTarget::giveBack()
{
    try {
        select(m_printer, m_previousIndex);
        if (m_previousSettings) {
            m_printer.Service().applyDriverSettings(*m_previousSettings);
            m_printer.Refresh();
        }
    } catch (const std::exception&) {
        // The printer went away meanwhile; the window's next printer step reports it.
    }
}

PrintTarget PrintTarget::Registered(TPrinterAccess& printer, const std::filesystem::path& folder, int paper,
                                    const std::optional<std::string>& printerName)
{
    const PrinterRegistration entry = registration::Load(registration::RegistrationFile(folder), PaperSection(paper));
    const int top = margins::MarginDots(cp932::ToUtf8(entry.top));
    const int left = margins::MarginDots(cp932::ToUtf8(entry.left));
    if (const std::optional<DirectFeed> feed = directFeedOf(entry, printerName)) {
        return PrintTarget(printer, paper, top, left, *feed);
    }
    const int index = printerName ? indexOfName(printer, *printerName) : registeredIndex(printer, entry);
    const bool registeredPrinter = !printerName || *printerName == trimmedUtf8(entry.printerName);
    return PrintTarget(printer, paper, top, left, index, taken(entry, registeredPrinter));
}

PrintTarget PrintTarget::Current(TPrinterAccess& printer, int paper, int top, int left)
{
    return PrintTarget(printer, paper, top, left, std::nullopt, {});
}

PrintTarget PrintTarget::InForce(TPrinterAccess& printer, const std::filesystem::path& folder, int paper, int top,
                                 int left, std::optional<OutputMode> output)
{
    const PrinterRegistration entry = registration::Load(registration::RegistrationFile(folder), PaperSection(paper));
    const OutputMode mode = output.value_or(OutputModeFromKey(entry.output));
    if (mode == OutputMode::Driver) {
        return PrintTarget(printer, paper, top, left, std::nullopt, taken(entry, true));
    }
    return PrintTarget(printer, paper, top, left, DirectFeed{mode, trimmedUtf8(entry.printerName)});
}

PrintTarget PrintTarget::Direct(TPrinterAccess& printer, int paper, int top, int left, const DirectFeed& feed)
{
    return PrintTarget(printer, paper, top, left, feed);
}

PrintTarget PrintTarget::Reprinted(TPrinterAccess& printer, const std::filesystem::path& folder,
                                   const std::string& printerName, int paper, const SlipPrintState& printed)
{
    const PrinterRegistration entry = registration::Load(registration::RegistrationFile(folder), PaperSection(paper));
    Taken registration;
    registration.settings = printerName == trimmedUtf8(entry.printerName) ? &entry : nullptr;
    if (printed.dpiX > 0 && printed.dpiY > 0) {
        registration.marginBasis = marginresolution::Dpi{printed.dpiX, printed.dpiY};
    }
    return PrintTarget(printer, paper, printed.top, printed.left, indexOfName(printer, printerName),
                       std::move(registration));
}

std::string PrintTarget::paperFeed() const
{
    return paperfeeds::kAll[continuous() ? 1 : 0];
}

double PrintTarget::pageLengthPt() const
{
    if (direct()) {
        return m_form.lengthDots * 72.0 / escp::kDotsPerInch;
    }
    return continuous() ? slipform::kContinuousFoldInches * 72 : 0;
}

PageGeometry PrintTarget::page() const
{
    if (direct()) {
        return formPage(m_form);
    }
    return WithPageLength(m_printer.GetPageGeometry(), pageLengthPt());
}

std::string PrintTarget::printerName() const
{
    if (direct()) {
        return m_device;
    }
    try {
        return m_printer.Service().currentDevice().device;
    } catch (const std::exception&) {
        return {};
    }
}

std::optional<DirectFeed> RegisteredDirectFeed(const std::filesystem::path& folder, int paper,
                                               const std::optional<std::string>& printerName)
{
    return directFeedOf(registration::Load(registration::RegistrationFile(folder), PaperSection(paper)), printerName);
}

std::string UnreachableRegistered(TPrinterAccess& printer, const PrinterRegistration& entry)
{
    const std::vector<std::string> names = printer.GetPrinterNames();
    if (printer.ServerFailure().empty()) {
        return {};
    }
    const std::string name = cp932::ToUtf8(entry.printerName);
    const bool listed = std::find(names.begin(), names.end(), name) != names.end();
    return listed ? std::string() : printer.ServerFailure();
}

std::string PaperSection(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(paperfeeds::kAll))) {
        return {};
    }
    return cp932::FromUtf8(paperfeeds::kAll[index]);
}

int PaperIndex(const std::string& feedName)
{
    return feedName == paperfeeds::kContinuous ? 1 : 0;
}

Slip LastSessionSlip(const std::filesystem::path& folder)
{
    const SlipSettings settings = SettingsFile::Read(SettingsFile::In(folder));
    return StartSlip(settings, StartSender(folder, settings));
}

int LastSessionPaper(const std::filesystem::path& folder)
{
    return SettingsFile::Read(SettingsFile::In(folder)).paperIndex;
}
