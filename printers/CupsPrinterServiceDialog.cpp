#include "printers/CupsPrinterService.h"

#include "printers/CupsDestinations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

// The printer service's side of the platform's print dialog: what it shows, and what the
// user's choice changes.

namespace {

// A stored size longer than any stationery (200 inches) is no size at all.
constexpr double kLongestPaperPt = 200 * 72.0;

} // namespace

const PrinterModel::Choice& CupsPrinterService::madeUpPaper(PrinterModel& printer, const Capability& size)
{
    const long width = std::lround(size.widthPt);
    const long height = std::lround(size.heightPt);
    const std::string keyword = "Custom." + std::to_string(width) + "x" + std::to_string(height);
    const auto known = std::find_if(printer.papers.begin(), printer.papers.end(),
                                    [&](const PrinterModel::Choice& paper) { return paper.keyword == keyword; });
    if (known != printer.papers.end()) {
        return *known;
    }
    // The driver's margins for sizes it is given: left, bottom, right, top.
    const std::array<double, 4>& margins = *printer.customMargins;
    PrinterModel::Choice paper{
        {cupsdest::PaperNumber(static_cast<double>(width), static_cast<double>(height), printer.papers.size()),
         keyword.substr(7), static_cast<double>(width), static_cast<double>(height)},
        keyword,
        cupsdest::AreaOf(static_cast<double>(width), static_cast<double>(height), margins[0], margins[1],
                         static_cast<double>(width) - margins[2], static_cast<double>(height) - margins[3])};
    printer.papers.push_back(paper);
    return printer.papers.back();
}

DialogChoice::DriverOption CupsPrinterService::binOption(PrinterModel& printer) const
{
    DialogChoice::DriverOption option{"InputSlot", {}, {}, {}};
    for (const PrinterModel::Choice& choice : printer.bins) {
        option.choices.emplace_back(choice.keyword, choice.capability.name);
        if (choice.capability.number == static_cast<std::uint16_t>(m_settings.dmDefaultSource)) {
            option.current = choice.keyword;
        }
        if (choice.capability.number == static_cast<std::uint16_t>(printer.defaults.dmDefaultSource)) {
            option.byDefault = choice.keyword;
        }
    }
    return option;
}

DialogChoice::DriverOption CupsPrinterService::resolutionOption(PrinterModel& printer) const
{
    DialogChoice::DriverOption option{"Resolution", {}, m_resolutionKeyword, printer.resolutionKeyword};
    for (const PrinterModel::Choice& choice : printer.resolutions) {
        option.choices.emplace_back(choice.keyword, choice.capability.name);
    }
    return option;
}

DialogChoice CupsPrinterService::dialogChoice()
{
    PrinterModel& printer = current();
    DialogChoice choice;
    choice.printer = printer.record.name;
    if (const PrinterModel::Choice* paper = paperChoice(printer)) {
        choice.paperSize = paper->capability;
    }
    choice.bin = m_settings.dmDefaultSource;
    for (const DialogChoice::DriverOption& option : {binOption(printer), resolutionOption(printer)}) {
        if (!option.choices.empty()) {
            choice.driverOptions.push_back(option);
        }
    }
    return choice;
}

void CupsPrinterService::applyDriverOption(PrinterModel& printer, const DialogChoice::DriverOption& option)
{
    if (option.keyword == "InputSlot") {
        applyBinKeyword(printer, option.current);
    } else if (option.keyword == "Resolution") {
        applyResolutionKeyword(printer, option.current);
    }
}

bool CupsPrinterService::applyPaperKeyword(PrinterModel& printer, const std::string& keyword)
{
    const auto found = std::find_if(printer.papers.begin(), printer.papers.end(),
                                    [&](const PrinterModel::Choice& paper) { return paper.keyword == keyword; });
    if (found != printer.papers.end()) {
        m_settings.dmPaperSize = static_cast<std::int16_t>(found->capability.number);
        return true;
    }
    // A size the user made up is kept as the driver names it: Custom.WIDTHxHEIGHT in points.
    double width = 0;
    double height = 0;
    char end = 0;
    const auto plausible = [](double points) {
        return std::isfinite(points) && points > 0 && points <= kLongestPaperPt;
    };
    if (!printer.customMargins || std::sscanf(keyword.c_str(), "Custom.%lfx%lf%c", &width, &height, &end) != 2 ||
        !plausible(width) || !plausible(height)) {
        return false;
    }
    m_settings.dmPaperSize =
        static_cast<std::int16_t>(madeUpPaper(printer, Capability{0, {}, width, height}).capability.number);
    return true;
}

bool CupsPrinterService::applyBinKeyword(PrinterModel& printer, const std::string& keyword)
{
    const auto found = std::find_if(printer.bins.begin(), printer.bins.end(),
                                    [&](const PrinterModel::Choice& bin) { return bin.keyword == keyword; });
    if (found == printer.bins.end()) {
        return false;
    }
    m_settings.dmDefaultSource = static_cast<std::int16_t>(found->capability.number);
    return true;
}

bool CupsPrinterService::applyResolutionKeyword(PrinterModel& printer, const std::string& keyword)
{
    const Resolution dpi = cupsdest::ParseResolution(keyword);
    const bool offered = std::any_of(printer.resolutions.begin(), printer.resolutions.end(),
                                     [&](const PrinterModel::Choice& r) { return r.keyword == keyword; });
    if (!offered || dpi.x <= 0) {
        return false;
    }
    m_resolution = dpi;
    m_resolutionKeyword = keyword;
    return true;
}

DriverSettings CupsPrinterService::driverSettings()
{
    PrinterModel& printer = current();
    DriverSettings settings;
    if (const PrinterModel::Choice* paper = paperChoice(printer)) {
        settings.paperSize = paper->keyword;
    }
    if (const PrinterModel::Choice* source = binChoice(printer)) {
        settings.paperSource = source->keyword;
    }
    settings.resolution = m_resolutionKeyword;
    return settings;
}

std::vector<std::string> CupsPrinterService::applyDriverSettings(const DriverSettings& settings)
{
    PrinterModel& printer = current();
    std::vector<std::string> refused;
    const auto apply = [&](const char* key, const std::string& keyword,
                           bool (CupsPrinterService::*put)(PrinterModel&, const std::string&)) {
        if (!keyword.empty() && !(this->*put)(printer, keyword)) {
            refused.push_back(key + ("=" + keyword));
        }
    };
    apply("PageSize", settings.paperSize, &CupsPrinterService::applyPaperKeyword);
    apply("InputSlot", settings.paperSource, &CupsPrinterService::applyBinKeyword);
    apply("Resolution", settings.resolution, &CupsPrinterService::applyResolutionKeyword);
    return refused;
}

void CupsPrinterService::applyDialogChoice(const DialogChoice& choice)
{
    if (!choice.printer.empty() && choice.printer != current().record.name) {
        PrinterModel* printer = byName(choice.printer);
        if (!printer) {
            throw std::runtime_error("Printer " + choice.printer + " is not installed");
        }
        select(static_cast<int>(printer - m_object.data()));
    }
    PrinterModel& printer = current();
    // A driver option the dialog left as it was shown leaves the bin and resolution alone.
    std::vector<DialogChoice::DriverOption> changed;
    for (const DialogChoice::DriverOption& option : choice.driverOptions) {
        const std::string shown = option.keyword == "InputSlot" ? binOption(printer).current : m_resolutionKeyword;
        if (option.current != shown) {
            changed.push_back(option);
        }
    }
    if (choice.paperSize) {
        const Capability& wanted = *choice.paperSize;
        const auto matches = [&](const PrinterModel::Choice& paper) {
            const Capability& offered = paper.capability;
            if (wanted.number != 0 && offered.number == wanted.number) {
                return true;
            }
            if (!wanted.name.empty() && offered.name == wanted.name) {
                return true;
            }
            return wanted.widthPt > 0 && std::abs(offered.widthPt - wanted.widthPt) < 2 &&
                   std::abs(offered.heightPt - wanted.heightPt) < 2;
        };
        const auto found = std::find_if(printer.papers.begin(), printer.papers.end(), matches);
        if (found != printer.papers.end()) {
            m_settings.dmPaperSize = static_cast<std::int16_t>(found->capability.number);
        } else if (printer.customMargins && wanted.widthPt > 0 && wanted.heightPt > 0) {
            m_settings.dmPaperSize = static_cast<std::int16_t>(madeUpPaper(printer, wanted).capability.number);
        }
    }
    if (choice.bin) {
        const auto found = std::find_if(printer.bins.begin(), printer.bins.end(), [&](const PrinterModel::Choice& b) {
            return b.capability.number == static_cast<std::uint16_t>(*choice.bin);
        });
        if (found != printer.bins.end()) {
            m_settings.dmDefaultSource = *choice.bin;
        }
    }
    for (const DialogChoice::DriverOption& option : changed) {
        applyDriverOption(printer, option);
    }
}
