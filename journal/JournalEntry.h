#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace journal {

// How a job ended. A printed slip counts as gone out, and so does one that may have: the
// duplicate guards would rather ask than ship a parcel twice.
enum class JobStatus
{
    Printed,
    Failed,  // the job could not be opened or handed over
    Aborted, // drawing failed; the job was cancelled before anything printed
    Sending, // recorded before the hand-over; the sending process still runs
    Unknown, // still "sending", but its process is gone: the user says whether it printed
};

// One slip job as the journal keeps it. Texts are UTF-8.
struct JournalEntry
{
    std::int64_t id = 0; // assigned by the journal
    std::string uuid;    // the entry's id wherever it is copied; made by the journal when empty
    QDateTime time;      // when the job ended, or was handed over while it is sending
    JobStatus status = JobStatus::Printed;
    std::string message; // why a job failed or was aborted
    std::string printer;
    std::string paperFeed; // "手差し", "連続(４インチ)"
    int cupsJobId = 0;     // 0: not a CUPS job, or the id is unknown
    std::string pdfFile;   // the file the built-in PDF printer wrote
    std::string orderNumber;
    std::int64_t reprintOf = 0;          // the entry this job printed again, 0 for a new slip
    Slip slip;                           // every field as printed
    SlipPrintState printState;           // with the resolution and margins it was printed at
    std::string trackingNumber;          // the form's number, digits only; empty: none yet
    std::vector<std::string> exportedTo; // the platforms told of the shipment, by name
    std::string station;                 // the packing PC that recorded it; empty: this one
};

// A tracking number for an entry; an empty number takes the entry's number away.
struct TrackingAssignment
{
    std::int64_t id = 0;
    std::string number;
};

// What a shop's shipped file needs of a printed entry.
struct ShipmentRecord
{
    std::int64_t id = 0;
    QDateTime time;
    std::string orderNumber;
    std::string trackingNumber;
};

// Entries newest first, narrowed by text over name, telephone, postal code, address and order
// number (widths, case, blanks and hyphens ignored) and by local dates, both inclusive.
struct JournalQuery
{
    std::string text;
    std::optional<QDate> from;
    std::optional<QDate> to;
    std::int64_t beforeId = 0; // only entries older than this one; 0: from the newest
    int limit = 0;             // 0: all
};

// The journal file could not be opened, read or written. The file is left as it is.
class JournalError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The server did not answer, or the connection to it broke and could not be made again. Entries
// meant for it are kept in the working folder's file until it answers (see Outbox.h).
class ServerUnreachable : public JournalError
{
public:
    using JournalError::JournalError;
};

// A tracking number is already held by another entry, which is named.
class TrackingNumberTaken : public JournalError
{
public:
    TrackingNumberTaken(const std::string& number, std::int64_t holder);
    std::int64_t holder() const { return m_holder; }

private:
    std::int64_t m_holder = 0;
};

// No entry has the id.
class NoSuchEntry : public JournalError
{
public:
    explicit NoSuchEntry(std::int64_t id);
};

// The stored name; Unknown is stored as "sending" and only its name in listings is "unknown".
const char* StatusName(JobStatus status);
std::optional<JobStatus> StatusFromName(const std::string& name);
// Whether the slip counts as gone out for the duplicate guards.
bool CountsAsPrinted(JobStatus status);

// How a job handed over ended, to complete its "sending" entries.
struct JobEnd
{
    JobStatus status = JobStatus::Printed;
    std::string message;
    int cupsJobId = 0;
    std::string pdfFile;
};

} // namespace journal
