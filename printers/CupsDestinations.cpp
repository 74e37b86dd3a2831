#include "printers/CupsDestinations.h"

#include "printers/CupsConnection.h"
#include "printers/EPrinterAccess.h"

#include <QPageSize>
#include <QSizeF>

#include <cups/cups.h>
#include <cups/ppd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <string_view>
#include <unistd.h>

// The driver description (PPD) interface is marked deprecated, yet it is the only one that
// gives the driver's own names for paper sources.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace cupsdest {
namespace {

constexpr std::int16_t kDriverNumbers = 256;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string DestOption(const cups_dest_t& dest, const char* name)
{
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? value : "";
}

// The queue's own default for an option, from either form the server may report.
std::string QueueDefault(const std::map<std::string, std::string>& options, const std::string& name)
{
    for (const std::string& key : {name + "-default", name}) {
        const auto found = options.find(key);
        if (found != options.end() && !found->second.empty()) {
            return found->second;
        }
    }
    return {};
}

struct PpdCloser
{
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

std::unique_ptr<ppd_file_t, PpdCloser> FetchPpd(CupsConnection& connection, const std::string& queue)
{
    http_t* http = connection.get();
    if (!http) {
        return nullptr;
    }
    char path[1024] = "";
    time_t modified = 0;
    if (cupsGetPPD3(http, queue.c_str(), &modified, path, sizeof path) != HTTP_STATUS_OK) {
        return nullptr;
    }
    std::unique_ptr<ppd_file_t, PpdCloser> ppd(ppdOpenFile(path));
    ::unlink(path);
    return ppd;
}

std::string ChoiceText(const ppd_choice_t& choice)
{
    return choice.text[0] ? choice.text : choice.choice;
}

} // namespace

PrintableArea AreaOf(double widthPt, double heightPt, double left, double bottom, double right, double top)
{
    if (right <= left || top <= bottom || widthPt <= 0 || heightPt <= 0) {
        return {};
    }
    // Driver descriptions measure from the bottom-left corner, upwards.
    return {left, heightPt - top, right - left, top - bottom};
}

namespace {

PrinterModel::Choice PaperChoice(const ppd_size_t* size, const std::string& name, const std::string& keyword,
                                 std::size_t position)
{
    const double width = size ? size->width : 0;
    const double height = size ? size->length : 0;
    PrinterModel::Choice choice{{PaperNumber(width, height, position), name, width, height}, keyword, {}};
    if (size) {
        choice.printable = AreaOf(width, height, size->left, size->bottom, size->right, size->top);
    }
    return choice;
}

} // namespace

std::uint16_t PaperNumber(double widthPt, double heightPt, std::size_t position)
{
    const QPageSize::PageSizeId id = QPageSize::id(QSizeF(widthPt, heightPt), QPageSize::Point, QPageSize::FuzzyMatch);
    if (id != QPageSize::Custom) {
        const int number = QPageSize::windowsId(id);
        if (number > 0) {
            return static_cast<std::uint16_t>(number);
        }
    }
    return static_cast<std::uint16_t>(kDriverNumbers + position);
}

std::int16_t BinNumber(const std::string& keyword, std::size_t position)
{
    static const std::map<std::string, std::int16_t> usual = {
        {"upper", bin::Upper},       {"onlyone", bin::Upper},
        {"lower", bin::Lower},       {"middle", bin::Middle},
        {"manual", bin::Manual},     {"manualfeed", bin::Manual},
        {"envelope", bin::Envelope}, {"envmanual", bin::EnvelopeManual},
        {"auto", bin::Auto},         {"autoselect", bin::Auto},
        {"tractor", bin::Tractor},   {"largecapacity", bin::LargeCapacity},
        {"cassette", bin::Cassette},
    };
    const auto found = usual.find(Lower(keyword));
    return found != usual.end() ? found->second : static_cast<std::int16_t>(kDriverNumbers + position);
}

Resolution ParseResolution(const std::string& keyword)
{
    int x = 0;
    int y = 0;
    char unit[8] = "";
    const int read = std::sscanf(keyword.c_str(), "%dx%d%7s", &x, &y, unit);
    if (read >= 2 && x > 0 && y > 0) {
        return {x, y};
    }
    if (std::sscanf(keyword.c_str(), "%d%7s", &x, unit) >= 1 && x > 0) {
        return {x, x};
    }
    return {};
}

namespace {

std::vector<PrinterModel> ListQueuesOn(CupsConnection& connection)
{
    std::vector<PrinterModel> queues;
    const std::string server = std::string(cupsServer()) + ":" + std::to_string(ippPort());
    http_t* http = connection.get();
    if (!http) {
        throw EPrinterAccessServerError("The print server " + server + " does not answer");
    }
    // An empty list means nothing unless a print server gave it: whatever else listens on the
    // address gives no IPP answer at all.
    ipp_t* answer = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (!answer) {
        connection.reset();
        throw EPrinterAccessServerError("The print server " + server + " does not answer: " + cupsLastErrorString());
    }
    ippDelete(answer);
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance) {
            continue;
        }
        PrinterModel queue;
        queue.record.name = dest.name;
        const unsigned long type = std::strtoul(DestOption(dest, "printer-type").c_str(), nullptr, 10);
        if (type & CUPS_PRINTER_FAX) {
            queue.record.attributes |= PrinterAttributeHidden;
        }
        queue.driver = DestOption(dest, "printer-make-and-model");
        queue.port = DestOption(dest, "device-uri");
        queue.isDefault = dest.is_default != 0;
        queue.defaults.dmFields =
            dm::Orientation | dm::PaperSize | dm::Copies | dm::DefaultSource | dm::PrintQuality | dm::YResolution;
        queues.push_back(std::move(queue));
    }
    cupsFreeDests(count, dests);
    return queues;
}

} // namespace

std::vector<PrinterModel> ListQueues(CupsConnection& connection)
{
    try {
        return ListQueuesOn(connection);
    } catch (const EPrinterAccessServerError&) {
        // A kept connection the server closed while idle fails once; a new one is asked again.
        if (!connection.reused()) {
            throw;
        }
        return ListQueuesOn(connection);
    }
}

std::vector<PrinterModel> ListQueues()
{
    CupsConnection connection;
    return ListQueues(connection);
}

void LoadCapabilities(PrinterModel& queue)
{
    queue.capabilitiesLoaded = true;
    queue.papers.clear();
    queue.bins.clear();
    queue.resolutions.clear();

    std::map<std::string, std::string> options;
    CupsConnection connection;
    if (http_t* http = connection.get()) {
        if (cups_dest_t* dest = cupsGetNamedDest(http, queue.record.name.c_str(), nullptr)) {
            for (int i = 0; i < dest->num_options; ++i) {
                options[dest->options[i].name] = dest->options[i].value;
            }
            cupsFreeDests(1, dest);
        }
    }
    const auto ppd = FetchPpd(connection, queue.record.name);
    if (!ppd) {
        return;
    }
    ppdMarkDefaults(ppd.get());

    const auto defaultOf = [&](const ppd_option_t* option) {
        std::string chosen = QueueDefault(options, option->keyword);
        return chosen.empty() ? std::string(option->defchoice) : chosen;
    };

    if (const ppd_option_t* pageSize = ppdFindOption(ppd.get(), "PageSize")) {
        const std::string chosen = defaultOf(pageSize);
        for (int i = 0; i < pageSize->num_choices; ++i) {
            const ppd_choice_t& choice = pageSize->choices[i];
            // The stand-in for made-up sizes is no size of its own.
            if (std::string_view(choice.choice) == "Custom") {
                continue;
            }
            const ppd_size_t* size = ppdPageSize(ppd.get(), choice.choice);
            queue.papers.push_back(PaperChoice(size, ChoiceText(choice), choice.choice, static_cast<std::size_t>(i)));
            if (chosen == choice.choice) {
                queue.defaults.dmPaperSize = static_cast<std::int16_t>(queue.papers.back().capability.number);
            }
        }
        // A size made up for the queue (Custom.WxH) takes the driver's margins for such sizes.
        const bool listed = std::any_of(queue.papers.begin(), queue.papers.end(),
                                        [&](const PrinterModel::Choice& paper) { return paper.keyword == chosen; });
        if (!listed && chosen.rfind("Custom.", 0) == 0) {
            if (const ppd_size_t* size = ppdPageSize(ppd.get(), chosen.c_str())) {
                queue.papers.push_back(PaperChoice(size, chosen.substr(7), chosen, queue.papers.size()));
                queue.defaults.dmPaperSize = static_cast<std::int16_t>(queue.papers.back().capability.number);
            }
        }
    }
    if (ppd->variable_sizes) {
        queue.customMargins = std::array<double, 4>{ppd->custom_margins[0], ppd->custom_margins[1],
                                                    ppd->custom_margins[2], ppd->custom_margins[3]};
    }
    if (const ppd_option_t* inputSlot = ppdFindOption(ppd.get(), "InputSlot")) {
        const std::string chosen = defaultOf(inputSlot);
        for (int i = 0; i < inputSlot->num_choices; ++i) {
            const ppd_choice_t& choice = inputSlot->choices[i];
            const std::int16_t number = BinNumber(choice.choice, static_cast<std::size_t>(i));
            queue.bins.push_back({{static_cast<std::uint16_t>(number), ChoiceText(choice)}, choice.choice, {}});
            if (chosen == choice.choice) {
                queue.defaults.dmDefaultSource = number;
            }
        }
    }
    std::string resolution;
    if (const ppd_option_t* option = ppdFindOption(ppd.get(), "Resolution")) {
        resolution = defaultOf(option);
        queue.resolutionKeyword = resolution;
        for (int i = 0; i < option->num_choices; ++i) {
            queue.resolutions.push_back({{0, ChoiceText(option->choices[i])}, option->choices[i].choice, {}});
        }
    } else if (const ppd_attr_t* attr = ppdFindAttr(ppd.get(), "DefaultResolution", nullptr)) {
        resolution = attr->value ? attr->value : "";
    }
    const Resolution dpi = ParseResolution(resolution);
    if (dpi.x > 0) {
        queue.resolution = dpi;
    }
}

} // namespace cupsdest
