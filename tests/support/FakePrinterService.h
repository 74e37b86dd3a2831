#pragma once

#include "printers/EPrinterAccess.h"
#include "printers/PrinterService.h"
#include "tests/support/RecordingCanvas.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

// A printer service configured by each test: the system's printers with their settings,
// capability lists and resolution, the ports, and the jobs drawn on recording canvases.
// Counters let a test see what the layer asked for.
class FakePrinterService : public PrinterService
{
public:
    struct Printer
    {
        std::string name;
        std::uint32_t attributes = 0;
        std::string port = "LPT1:";
        // What the driver starts with, and what the printer holds now (a dialog's choice).
        DevMode defaults{dm::PaperSize | dm::DefaultSource, 9, 100, bin::Auto};
        DevMode settings = defaults;
        std::vector<Capability> papers{{9, "A4"}};
        std::vector<Capability> bins{{bin::Auto, "Auto"}};
        Resolution resolution{180, 180};
    };

    struct Job
    {
        std::string title;
        std::string printer;
        bool ended = false;
        bool aborted = false;
        int pages = 1;
        double pageLengthPt = 0; // 0: the paper's own
        RecordingCanvas canvas;
    };

    // The system's side: edit, then call changeSettings() as the system would notify.
    std::vector<Printer> printers;
    int defaultIndex = 0;
    std::vector<std::string> ports;
    std::deque<Job> jobs;
    // Set: the system cannot be asked, for this reason.
    std::string unreachable;

    int deviceReads = 0;
    int capabilityQueries = 0;

    explicit FakePrinterService(std::vector<Printer> system = {}) : printers(std::move(system)) {}

    void changeSettings() { notifySettingsChanged(); }
    // The current printer as the printer object holds it.
    Printer& current() { return m_object.at(static_cast<std::size_t>(printerIndex())); }
    bool jobOpen() const { return !jobs.empty() && !jobs.back().ended && !jobs.back().aborted; }

    std::vector<PrinterRecord> enumPrinters() override
    {
        if (!unreachable.empty())
            throw EPrinterAccessServerError(unreachable);
        std::vector<PrinterRecord> records;
        for (const Printer& printer : printers)
            records.push_back({printer.name, printer.attributes});
        return records;
    }

    std::vector<std::string> enumPorts() override { return ports; }

    int printerIndex() override
    {
        ensureObject();
        if (m_current == kNoneSelected)
            select(defaultIndex);
        return m_current;
    }

    void setPrinterIndex(int index) override
    {
        ensureObject();
        if (index < -1 || index >= static_cast<int>(m_object.size()))
            throw std::out_of_range("Printer index out of range");
        select(index == -1 ? defaultIndex : index);
    }

    DeviceDescription currentDevice() override
    {
        ++deviceReads;
        if (printerIndex() < 0)
            throw std::runtime_error("There is no default printer currently selected");
        const Printer& printer = current();
        return {printer.name, "Fake Driver", printer.port, printer.settings};
    }

    void setPrinter(const std::string& device, const std::string&, const std::string&) override
    {
        Printer& printer = current();
        if (printer.name != device)
            throw std::runtime_error("setPrinter: not the current printer");
        printer.settings = printer.defaults;
    }

    void resetPrinterObject() override { m_objectValid = false; }

    std::vector<Capability> paperSizes(const DeviceDescription& device) override
    {
        ++capabilityQueries;
        return byName(device.device).papers;
    }

    std::vector<Capability> bins(const DeviceDescription& device) override
    {
        ++capabilityQueries;
        return byName(device.device).bins;
    }

    Resolution resolution() override { return current().resolution; }

    void beginDoc(const std::string& title) override
    {
        if (jobOpen())
            throw std::runtime_error("Printing in progress");
        jobs.emplace_back();
        jobs.back().title = title;
        jobs.back().printer = current().name;
        jobs.back().pageLengthPt = pageLength();
    }

    void endDoc() override { openJob().ended = true; }
    void abortDoc() override { openJob().aborted = true; }
    void newPage() override { ++openJob().pages; }
    Canvas& canvas() override { return openJob().canvas; }

    DialogChoice dialogChoice() override
    {
        const Printer& printer = current();
        return {printer.name, Capability{static_cast<std::uint16_t>(printer.settings.dmPaperSize), {}},
                printer.settings.dmDefaultSource};
    }

    void applyDialogChoice(const DialogChoice& choice) override
    {
        for (std::size_t i = 0; i < m_object.size(); ++i) {
            if (m_object[i].name == choice.printer)
                m_current = static_cast<int>(i);
        }
        if (choice.paperSize)
            current().settings.dmPaperSize = static_cast<std::int16_t>(choice.paperSize->number);
        if (choice.bin)
            current().settings.dmDefaultSource = *choice.bin;
    }

private:
    static constexpr int kNoneSelected = -2;

    void ensureObject()
    {
        if (m_objectValid)
            return;
        m_object = printers;
        m_current = kNoneSelected;
        m_objectValid = true;
    }

    void select(int index) { m_current = index < static_cast<int>(m_object.size()) ? index : -1; }

    Printer& byName(const std::string& name)
    {
        for (Printer& printer : m_object) {
            if (printer.name == name)
                return printer;
        }
        throw std::runtime_error("no printer named " + name);
    }

    Job& openJob()
    {
        if (!jobOpen())
            throw std::runtime_error("Printer is not currently printing");
        return jobs.back();
    }

    std::vector<Printer> m_object;
    bool m_objectValid = false;
    int m_current = kNoneSelected;
};
