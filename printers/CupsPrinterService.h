#pragma once

#include "printers/PrinterModel.h"
#include "printers/PrinterService.h"
#include "printers/QueuePoll.h"

#include <QString>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <vector>

class CupsConnection;
class SpoolJob;

// The system's printers: the CUPS queues, then the built-in PDF printer. Jobs are drawn into
// a PDF spool file and handed to CUPS with the chosen page size, paper source and
// resolution, or stored in the slips folder. CUPS broadcasts no changes, so the queue list
// is polled, on a thread of its own. A server that does not answer is an error of the
// printer layer, never an empty list.
class CupsPrinterService : public PrinterService
{
public:
    static constexpr int kPollMilliseconds = 2000;

    explicit CupsPrinterService(const QString& slipsFolder, int pollMilliseconds = kPollMilliseconds);
    ~CupsPrinterService() override;

    std::vector<PrinterRecord> enumPrinters() override;
    std::vector<std::string> enumPorts() override;
    std::string serverFailure() override { return m_serverFailure; }
    int printerIndex() override;
    void setPrinterIndex(int index) override;
    DeviceDescription currentDevice() override;
    void setPrinter(const std::string& device, const std::string& driver, const std::string& port) override;
    void resetPrinterObject() override;
    std::vector<Capability> paperSizes(const DeviceDescription& device) override;
    std::vector<Capability> bins(const DeviceDescription& device) override;
    Resolution resolution() override;
    PageGeometry pageGeometry() override;
    void beginDoc(const std::string& title) override;
    void endDoc() override;
    void abortDoc() override;
    void newPage() override;
    Canvas& canvas() override;
    JobReceipt lastJob() const override { return m_lastJob; }
    DialogChoice dialogChoice() override;
    void applyDialogChoice(const DialogChoice& choice) override;
    DriverSettings driverSettings() override;
    std::vector<std::string> applyDriverSettings(const DriverSettings& settings) override;

    // The folder that receives the built-in printer's files.
    const QString& slipsFolder() const { return m_slipsFolder; }

private:
    struct Listing
    {
        PrinterRecord record;
        std::string port;
        bool operator==(const Listing&) const = default;
    };

    QueueAnswer look(CupsConnection& connection) const;
    std::optional<QueueAnswer> takeFirstLook();
    std::vector<PrinterModel> enumerate();
    // The answer's printers (the built-in one alone when the server failed, its failure kept),
    // or its failure raised when there are none.
    std::vector<PrinterModel> printersOf(const QueueAnswer& answer);
    static std::vector<Listing> listingOf(const QueueAnswer& answer);
    void polled(const QueueAnswer& answer);
    void ensureObject();
    int defaultIndex() const;
    void select(int index);
    PrinterModel& loaded(PrinterModel& printer);
    PrinterModel& current();
    PrinterModel* byName(const std::string& name);
    const PrinterModel::Choice* paperChoice(PrinterModel& printer) const;
    const PrinterModel::Choice* binChoice(PrinterModel& printer) const;
    // A size the user made up, added to the printer's papers with the driver's margins for such
    // sizes.
    static const PrinterModel::Choice& madeUpPaper(PrinterModel& printer, const Capability& size);
    DialogChoice::DriverOption binOption(PrinterModel& printer) const;
    DialogChoice::DriverOption resolutionOption(PrinterModel& printer) const;
    void applyDriverOption(PrinterModel& printer, const DialogChoice::DriverOption& option);
    bool applyPaperKeyword(PrinterModel& printer, const std::string& keyword);
    bool applyBinKeyword(PrinterModel& printer, const std::string& keyword);
    bool applyResolutionKeyword(PrinterModel& printer, const std::string& keyword);

    QString m_slipsFolder;
    std::vector<Listing> m_lastListing;
    std::string m_lastFailure;
    std::string m_serverFailure;
    // The first look at the server runs while the program builds its window: the server's
    // answer takes a round trip that need not hold up the start. The first enumeration takes
    // it when it is still fresh.
    std::future<QueueAnswer> m_firstLook;
    std::chrono::steady_clock::time_point m_firstLookStarted;
    // The poll's last answer stands for the server between polls.
    std::optional<QueueAnswer> m_latest;
    // The poll asks on one connection it keeps, used on its thread only; declared before the
    // poll, so that it outlives the poll's thread.
    std::unique_ptr<CupsConnection> m_pollConnection;
    std::unique_ptr<QueuePoll> m_poll;

    std::vector<PrinterModel> m_object;
    bool m_objectValid = false;
    int m_current = -1;
    DevMode m_settings;
    // The resolution in force on the current printer: its driver default until a dialog
    // chooses another.
    Resolution m_resolution;
    std::string m_resolutionKeyword;

    struct Job;
    static int submitToCups(const Job& job);
    std::unique_ptr<Job> m_job;
    JobReceipt m_lastJob;
};
