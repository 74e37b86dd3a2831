#include "printers/CupsPrinterService.h"

#include "printers/BuiltInPdfPrinter.h"
#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"
#include "printers/EPrinterAccess.h"
#include "printers/PageGeometry.h"
#include "printers/SpoolJob.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPageSize>

#include <cups/cups.h>

#include <algorithm>
#include <stdexcept>

struct CupsPrinterService::Job
{
    PrinterModel printer;
    QString title;
    std::vector<std::pair<std::string, std::string>> options;
    std::unique_ptr<SpoolJob> spool;
};

namespace {

// How long the answer of the first look may stand for the server's queues.
constexpr std::chrono::seconds kFirstLookFresh(1);

std::filesystem::path NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

CupsPrinterService::CupsPrinterService(const QString& slipsFolder, int pollMilliseconds)
    : m_slipsFolder(slipsFolder), m_firstLook(std::async(std::launch::async,
                                                         [this] {
                                                             CupsConnection connection;
                                                             return look(connection);
                                                         })),
      m_firstLookStarted(std::chrono::steady_clock::now())
{
    if (pollMilliseconds > 0) {
        m_pollConnection = std::make_unique<CupsConnection>();
        m_poll = std::make_unique<QueuePoll>(
            pollMilliseconds, [this] { return look(*m_pollConnection); },
            [this](const QueueAnswer& answer) { polled(answer); });
    }
}

CupsPrinterService::~CupsPrinterService() = default;

QueueAnswer CupsPrinterService::look(CupsConnection& connection) const
{
    QueueAnswer answer;
    try {
        answer.printers = cupsdest::ListQueues(connection);
        answer.printers.push_back(builtinpdf::Model(m_slipsFolder, answer.printers));
    } catch (const EPrinterAccessServerError& error) {
        // The built-in printer writes files and needs no server.
        answer.printers = {builtinpdf::Model(m_slipsFolder, {})};
        answer.failure = error.what();
    }
    return answer;
}

std::optional<QueueAnswer> CupsPrinterService::takeFirstLook()
{
    if (!m_firstLook.valid()) {
        return std::nullopt;
    }
    QueueAnswer first = m_firstLook.get();
    // Later answers are compared with this one to tell a change.
    m_lastListing = listingOf(first);
    m_lastFailure = first.failure;
    // With a poll the first answer stands until the first poll however long it took: asking
    // again here would hold up the window by another wait for a server that does not answer.
    if (!m_poll && std::chrono::steady_clock::now() - m_firstLookStarted > kFirstLookFresh) {
        return std::nullopt;
    }
    return first;
}

std::vector<PrinterModel> CupsPrinterService::enumerate()
{
    if (std::optional<QueueAnswer> first = takeFirstLook()) {
        if (!m_poll) {
            return printersOf(*first);
        }
        // The first look stands for the server until the first poll, as each poll's answer does.
        m_latest = std::move(first);
    }
    if (m_latest) {
        return printersOf(*m_latest);
    }
    CupsConnection connection;
    return printersOf(look(connection));
}

std::vector<PrinterModel> CupsPrinterService::printersOf(const QueueAnswer& answer)
{
    m_serverFailure = answer.failure;
    if (answer.printers.empty()) {
        throw EPrinterAccessServerError(answer.failure);
    }
    return answer.printers;
}

std::vector<CupsPrinterService::Listing> CupsPrinterService::listingOf(const QueueAnswer& answer)
{
    std::vector<Listing> listing;
    listing.reserve(answer.printers.size());
    for (const PrinterModel& printer : answer.printers) {
        listing.push_back({printer.record, printer.port});
    }
    return listing;
}

void CupsPrinterService::polled(const QueueAnswer& answer)
{
    takeFirstLook();
    m_latest = answer;
    std::vector<Listing> listing = listingOf(answer);
    if (listing == m_lastListing && answer.failure == m_lastFailure) {
        return;
    }
    m_lastListing = std::move(listing);
    m_lastFailure = answer.failure;
    notifySettingsChanged();
}

std::vector<PrinterRecord> CupsPrinterService::enumPrinters()
{
    std::vector<PrinterRecord> records;
    for (const PrinterModel& printer : enumerate()) {
        records.push_back(printer.record);
    }
    return records;
}

std::vector<std::string> CupsPrinterService::enumPorts()
{
    std::vector<std::string> ports;
    for (const PrinterModel& printer : enumerate()) {
        if (!printer.port.empty() && std::find(ports.begin(), ports.end(), printer.port) == ports.end()) {
            ports.push_back(printer.port);
        }
    }
    return ports;
}

void CupsPrinterService::ensureObject()
{
    if (m_objectValid) {
        return;
    }
    m_object = enumerate();
    m_objectValid = true;
    select(defaultIndex());
}

int CupsPrinterService::defaultIndex() const
{
    // The server's default queue, else its first visible one, else the built-in printer.
    for (std::size_t i = 0; i < m_object.size(); ++i) {
        if (m_object[i].isDefault && !(m_object[i].record.attributes & PrinterAttributeHidden)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < m_object.size(); ++i) {
        if (!(m_object[i].record.attributes & PrinterAttributeHidden)) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(m_object.size()) - 1;
}

void CupsPrinterService::select(int index)
{
    m_current = index;
    const PrinterModel& printer = loaded(m_object.at(static_cast<std::size_t>(index)));
    m_settings = printer.defaults;
    m_resolution = printer.resolution;
    m_resolutionKeyword = printer.resolutionKeyword;
}

PrinterModel& CupsPrinterService::loaded(PrinterModel& printer)
{
    if (!printer.capabilitiesLoaded) {
        cupsdest::LoadCapabilities(printer);
    }
    return printer;
}

PrinterModel& CupsPrinterService::current()
{
    ensureObject();
    return loaded(m_object.at(static_cast<std::size_t>(m_current)));
}

PrinterModel* CupsPrinterService::byName(const std::string& name)
{
    ensureObject();
    const auto found = std::find_if(m_object.begin(), m_object.end(),
                                    [&](const PrinterModel& printer) { return printer.record.name == name; });
    return found == m_object.end() ? nullptr : &loaded(*found);
}

int CupsPrinterService::printerIndex()
{
    ensureObject();
    return m_current;
}

void CupsPrinterService::setPrinterIndex(int index)
{
    ensureObject();
    if (index < -1 || index >= static_cast<int>(m_object.size())) {
        throw std::out_of_range("Printer index out of range");
    }
    select(index == -1 ? defaultIndex() : index);
}

DeviceDescription CupsPrinterService::currentDevice()
{
    const PrinterModel& printer = current();
    return {printer.record.name, printer.driver, printer.port, m_settings};
}

void CupsPrinterService::setPrinter(const std::string& device, const std::string&, const std::string&)
{
    PrinterModel* printer = byName(device);
    if (!printer) {
        throw std::runtime_error("Printer " + device + " is not installed");
    }
    select(static_cast<int>(printer - m_object.data()));
}

void CupsPrinterService::resetPrinterObject()
{
    m_objectValid = false;
    m_object.clear();
}

std::vector<Capability> CupsPrinterService::paperSizes(const DeviceDescription& device)
{
    std::vector<Capability> papers;
    if (PrinterModel* printer = byName(device.device)) {
        for (const PrinterModel::Choice& choice : printer->papers) {
            papers.push_back(choice.capability);
        }
    }
    return papers;
}

std::vector<Capability> CupsPrinterService::bins(const DeviceDescription& device)
{
    std::vector<Capability> bins;
    if (PrinterModel* printer = byName(device.device)) {
        for (const PrinterModel::Choice& choice : printer->bins) {
            bins.push_back(choice.capability);
        }
    }
    return bins;
}

Resolution CupsPrinterService::resolution()
{
    current();
    return m_resolution;
}

const PrinterModel::Choice* CupsPrinterService::paperChoice(PrinterModel& printer) const
{
    const auto number = static_cast<std::uint16_t>(m_settings.dmPaperSize);
    for (const PrinterModel::Choice& choice : printer.papers) {
        if (choice.capability.number == number) {
            return &choice;
        }
    }
    return nullptr;
}

const PrinterModel::Choice* CupsPrinterService::binChoice(PrinterModel& printer) const
{
    const auto number = static_cast<std::uint16_t>(m_settings.dmDefaultSource);
    for (const PrinterModel::Choice& choice : printer.bins) {
        if (choice.capability.number == number) {
            return &choice;
        }
    }
    return nullptr;
}

PageGeometry CupsPrinterService::pageGeometry()
{
    PrinterModel& printer = current();
    PageGeometry page;
    page.dpi = m_resolution;
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    page.paperWidthPt = a4.width();
    page.paperHeightPt = a4.height();
    PrintableArea printable;
    if (const PrinterModel::Choice* paper = paperChoice(printer)) {
        if (paper->capability.widthPt > 0 && paper->capability.heightPt > 0) {
            page.paperWidthPt = paper->capability.widthPt;
            page.paperHeightPt = paper->capability.heightPt;
            printable = paper->printable;
        }
    }
    // Without an area from the driver the whole paper is printable.
    const bool whole = printable.widthPt <= 0 || printable.heightPt <= 0;
    page.printableLeftPt = whole ? 0 : printable.leftPt;
    page.printableTopPt = whole ? 0 : printable.topPt;
    page.printableWidthPt = whole ? page.paperWidthPt : printable.widthPt;
    page.printableHeightPt = whole ? page.paperHeightPt : printable.heightPt;
    return page;
}

void CupsPrinterService::beginDoc(const std::string& title)
{
    if (m_job) {
        throw std::runtime_error("Printing in progress");
    }
    PrinterModel& printer = current();
    auto job = std::make_unique<Job>();
    job->printer = printer;
    job->title = QString::fromStdString(title);

    const PageGeometry page = jobPageGeometry();
    QString paperName = QStringLiteral("A4");
    if (pageLength() > 0) {
        // A length of its own is a custom size to the driver, in points.
        paperName = QStringLiteral("Custom.%1x%2").arg(qRound(page.paperWidthPt)).arg(qRound(page.paperHeightPt));
        job->options.emplace_back("PageSize", paperName.toStdString());
    } else if (const PrinterModel::Choice* paper = paperChoice(printer)) {
        paperName = QString::fromStdString(paper->capability.name);
        if (!paper->keyword.empty()) {
            job->options.emplace_back("PageSize", paper->keyword);
        }
    }
    if (const PrinterModel::Choice* source = binChoice(printer); source && !source->keyword.empty()) {
        job->options.emplace_back("InputSlot", source->keyword);
    }
    if (!m_resolutionKeyword.empty()) {
        job->options.emplace_back("Resolution", m_resolutionKeyword);
    }

    // The slips folder takes the built-in printer's files for good, so it must be the user's
    // own; a spool file for the server is only created there, never opened by name.
    OpenedFolder folder = printer.builtIn ? OpenedFolder::OpenOwn(NativePath(m_slipsFolder))
                                          : OpenedFolder::Open(NativePath(QDir::tempPath()));
    SpoolJob::RemoveLeftovers(folder);
    job->spool = std::make_unique<SpoolJob>(std::move(folder), page, paperName, job->title);
    m_job = std::move(job);
}

Canvas& CupsPrinterService::canvas()
{
    if (!m_job) {
        throw std::runtime_error("Printer is not currently printing");
    }
    return m_job->spool->canvas();
}

void CupsPrinterService::endDoc()
{
    if (!m_job) {
        throw std::runtime_error("Printer is not currently printing");
    }
    // The job is over whatever happens below; the spool file goes with it.
    const std::unique_ptr<Job> job = std::move(m_job);
    m_lastJob = {};
    job->spool->finish();
    const QDateTime now = QDateTime::currentDateTime();
    if (job->printer.builtIn) {
        m_lastJob.file = builtinpdf::Deliver(*job->spool, now, job->title).toStdString();
    } else {
        m_lastJob.jobId = submitToCups(*job);
    }
}

void CupsPrinterService::abortDoc()
{
    if (!m_job) {
        throw std::runtime_error("Printer is not currently printing");
    }
    // Nothing has reached the server yet: dropping the spool file is the whole abort.
    m_job->spool->discard();
    m_job.reset();
}

void CupsPrinterService::newPage()
{
    if (!m_job) {
        throw std::runtime_error("Printer is not currently printing");
    }
    m_job->spool->newPage();
}

int CupsPrinterService::submitToCups(const Job& job)
{
    const std::string& queue = job.printer.record.name;
    CupsConnection connection(CupsConnection::kJobSeconds);
    http_t* http = connection.get();
    if (!http) {
        throw std::runtime_error("Cannot print on " + queue + ": the print server does not answer");
    }
    int count = 0;
    cups_option_t* options = nullptr;
    for (const auto& [name, value] : job.options) {
        count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
    }
    const QByteArray title = job.title.toUtf8();
    // The document is named by the title too: the spool file's name means nothing to anyone.
    const int id = cupsCreateJob(http, queue.c_str(), title.constData(), count, options);
    cupsFreeOptions(count, options);
    bool sent = id > 0 && cupsStartDocument(http, queue.c_str(), id, title.constData(), CUPS_FORMAT_PDF, 1) ==
                              HTTP_STATUS_CONTINUE;
    constexpr qint64 kBlock = qint64{64} * 1024;
    for (qint64 offset = 0; sent;) {
        const QByteArray block = job.spool->read(offset, kBlock);
        if (block.isEmpty()) {
            break;
        }
        offset += block.size();
        sent = cupsWriteRequestData(http, block.constData(), static_cast<std::size_t>(block.size())) ==
               HTTP_STATUS_CONTINUE;
    }
    if (id > 0 && (cupsFinishDocument(http, queue.c_str()) != IPP_STATUS_OK || !sent)) {
        cupsCancelJob2(http, queue.c_str(), id, 0);
        sent = false;
    }
    if (!sent) {
        throw std::runtime_error("Cannot print on " + queue + ": " + cupsLastErrorString());
    }
    return id;
}
