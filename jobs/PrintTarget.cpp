#include "jobs/PrintTarget.h"

#include "jobs/StartSlip.h"
#include "platform/Cp932.h"
#include "platform/StrToInt.h"
#include "printers/EPrinterAccess.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/MarginDots.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipFormOutline.h"
#include "workfolder/PrinterRegistration.h"
#include "workfolder/SettingsFile.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
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

} // namespace

PrintTarget::PrintTarget(TPrinterAccess& printer, int paper, int top, int left, std::optional<int> index)
    : m_printer(printer), m_previousIndex(printer.Index()), m_paper(paper)
{
    if (index) {
        select(printer, *index);
    }
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    m_state = {resolution.x, resolution.y, top, left};
}

PrintTarget::~PrintTarget()
{
    try {
        select(m_printer, m_previousIndex);
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
    const int index = printerName ? indexOfName(printer, *printerName) : registeredIndex(printer, entry);
    return PrintTarget(printer, paper, top, left, index);
}

PrintTarget PrintTarget::Current(TPrinterAccess& printer, int paper, int top, int left)
{
    return PrintTarget(printer, paper, top, left, std::nullopt);
}

PrintTarget PrintTarget::Named(TPrinterAccess& printer, const std::string& printerName, int paper, int top, int left)
{
    return PrintTarget(printer, paper, top, left, indexOfName(printer, printerName));
}

std::string PrintTarget::paperFeed() const
{
    return paperfeeds::kAll[continuous() ? 1 : 0];
}

double PrintTarget::pageLengthPt() const
{
    return continuous() ? slipform::kContinuousFoldInches * 72 : 0;
}

PageGeometry PrintTarget::page() const
{
    return WithPageLength(m_printer.GetPageGeometry(), pageLengthPt());
}

std::string PrintTarget::printerName() const
{
    try {
        return m_printer.Service().currentDevice().device;
    } catch (const std::exception&) {
        return {};
    }
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
