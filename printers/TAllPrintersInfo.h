#pragma once

#include "printers/PrinterService.h"

#include <cstdint>
#include <string>
#include <vector>

// A snapshot of every printer the system reports, hidden ones included, in the system's order.
class TAllPrintersInfo
{
public:
    TAllPrintersInfo() = default;
    // Takes the snapshot. A service that cannot be asked (EPrinterAccessServerError) leaves
    // an empty snapshot that keeps the reason; any other failure goes through.
    explicit TAllPrintersInfo(PrinterService& service);

    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_records.size()); }
    const std::string& Names(std::uint32_t index) const { return m_records.at(index).name; }
    std::uint32_t Attributes(std::uint32_t index) const { return m_records.at(index).attributes; }
    bool IsHidden(std::uint32_t index) const { return (Attributes(index) & PrinterAttributeHidden) != 0; }
    // Why the service could not be asked, or why the system's queues are missing from the
    // printers it listed; empty when it answered.
    const std::string& Failure() const { return m_failure; }
    // Same count, and the same names (exact) and attributes in the same order.
    bool IsSame(const TAllPrintersInfo& other) const
    {
        return m_records == other.m_records && m_failure == other.m_failure;
    }

private:
    std::vector<PrinterRecord> m_records;
    std::string m_failure;
};
