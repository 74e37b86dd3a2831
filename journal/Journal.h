#pragma once

#include "journal/JournalEntry.h"
#include "journal/OrderClaims.h"
#include "journal/ServerAddress.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

// The print journal: one SQLite file (`mivo_journal.db` in the working folder), or one database
// on a PostgreSQL server that several packing PCs share, with an entry per slip job, whatever
// became of it. Both hold the same tables and answer alike. Every call runs on the calling thread and either
// completes or throws JournalError; a file that is not a journal of this program, or one of a
// newer version, is never written to. The program opens it through journal::OpenShared only:
// the file's check before the connection would otherwise drop the locks of another one.
//
//     journal::Journal journal(journal::Journal::In(folder));   // creates or migrates the file
//     journal::JournalEntry entry;                              // time, printer, slip ...
//     const auto ids = journal.beginJobs({entry});              // "sending", before the hand-over
//     journal.finishJobs(ids, {.status = JobStatus::Printed});  // once the printer has it
//     journal.search({.text = "大垣", .limit = 200});            // newest first
//     journal.hasOrder("A-1001");                               // batch lists mark these
//     journal.printedSince(slip, QDateTime::currentDateTime().addDays(-1));
namespace journal {

class Journal
{
public:
    enum class Access
    {
        ReadWrite, // creates the file and brings its layout up to date
        ReadOnly,  // the file must exist; no entry is written, nor a file left beside it
    };

    static constexpr const char* kFileName = "mivo_journal.db";
    // The journal of a working folder.
    static std::filesystem::path In(const std::filesystem::path& folder);

    explicit Journal(const std::filesystem::path& file, Access access = Access::ReadWrite);
    // The journal on a server. A database of tables that are not a journal's is left untouched.
    explicit Journal(const ServerAddress& server, Access access = Access::ReadWrite);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Stores the entry (its id is ignored) and returns the new id. A time left empty is now.
    std::int64_t recordJob(const JournalEntry& entry);
    // Stores the entries of one job (a batch: an entry per slip) all or none, in order.
    std::vector<std::int64_t> recordJobs(const std::vector<JournalEntry>& entries);
    // Stores the entries of one job as "sending" by this process, all or none, before the job
    // is handed over, and returns their ids. An entry left so by a process that is gone reads
    // as Unknown.
    std::vector<std::int64_t> beginJobs(const std::vector<JournalEntry>& entries);
    // Completes the entries beginJobs stored: how the job ended, dated now. A job that did not
    // print gives up its claim (claimOrders) in the same transaction.
    void finishJobs(const std::vector<std::int64_t>& ids, const JobEnd& end, const std::string& claim = {});
    // The user's word on an entry of unknown outcome: printed or not. False when the entry is
    // not of unknown outcome (any more).
    bool resolve(std::int64_t id, bool printed);
    std::optional<JournalEntry> find(std::int64_t id);
    std::vector<JournalEntry> search(const JournalQuery& query);
    // Whether a slip with this order number went out or may have (failed and aborted jobs do
    // not count).
    bool hasOrder(const std::string& orderNumber);
    // Printed when a slip of the order went out, else Sending or Unknown when one may have;
    // nothing when none did.
    std::optional<JobStatus> orderStatus(const std::string& orderNumber);
    // Whether a slip with the same recipient and goods went out (or may have) at `since` or later,
    // on any station.
    bool printedSince(const Slip& slip, const QDateTime& since);
    // The station of the newest such slip; empty when it is this one or names none.
    std::optional<std::string> stationPrintedSince(const Slip& slip, const QDateTime& since);

    // Claims the slips' orders for one job of this station, all in one transaction, and names
    // those another job holds (a claim of its own, or an entry of another station). A slip
    // printed anyway is claimed only when nobody holds it. The claims of a job that printed
    // stay and keep later batches away; releaseClaim gives up those of one that did not.
    ClaimOutcome claimOrders(const std::vector<ClaimRequest>& requests);
    void releaseClaim(const std::string& claim);
    // The other station that printed the order, may have, or is about to; nothing when none.
    std::optional<std::string> heldElsewhere(const std::string& orderNumber);
    // False when there is no such entry.
    bool remove(std::int64_t id);

    // Gives the entries their numbers all or none. Throws TrackingNumberTaken when a number is
    // held by an entry not given another one here (or is given twice), NoSuchEntry for an
    // unknown id.
    void setTrackingNumbers(const std::vector<TrackingAssignment>& assignments);
    std::optional<std::int64_t> holderOf(const std::string& trackingNumber);
    // The newest printed entry with this order number.
    std::optional<std::int64_t> lastPrintedOfOrder(const std::string& orderNumber);
    // Printed entries of the local dates `from` to `to`, both inclusive, in print order.
    std::vector<ShipmentRecord> shipments(const QDate& from, const QDate& to);
    // Printed entries of the dates with their slips, in print order.
    std::vector<JournalEntry> printedOn(const QDate& from, const QDate& to);
    // Notes that the entries were reported to `platform` as shipped (again is fine).
    void markExported(const std::vector<std::int64_t>& ids, const std::string& platform);
    std::int64_t count();

    // How copyIn found the entry on the server.
    enum class Copied
    {
        Added,
        Completed, // it was still "sending" there
        AlreadyThere,
    };
    // Copies an entry of another journal to this server's once, by its uuid, with its tracking
    // number (unless another entry holds it) and exports. An entry already there is left as it
    // is, unless it is still "sending" and the copy tells how the job ended.
    Copied copyIn(const JournalEntry& entry);
    // The uuid of an entry, and the entry of a uuid; empty and 0 when there is none.
    std::string uuidOf(std::int64_t id);
    std::int64_t idOf(const std::string& uuid);

    // The outbox of a file: entries that the chosen server could not take, stored complete here
    // and kept for it until it has them. Stores them all or none and returns their ids.
    std::vector<std::int64_t> keepForServer(const std::vector<JournalEntry>& entries);
    // The kept entries, in the order they were kept.
    std::vector<JournalEntry> keptForServer();
    std::int64_t keptCount();
    // The server committed the entry.
    void sentToServer(const std::string& uuid);

    // The file or the server, as messages name it.
    const std::string& name() const { return m_name; }
    // The station entries recorded here are marked with, unless they name their own: the host
    // name unless set.
    const std::string& station() const { return m_station; }
    void setStation(const std::string& station) { m_station = station; }

    // Whether entries can be written through this connection.
    bool writable() const { return m_writable; }
    // Brings the layout up to date for writing; throws when the file was opened read-only
    // because it or its folder cannot be written.
    void prepareForWriting();

private:
    static const QString kInsertJob;

    template <typename Open> void openNamed(Open&& open);
    void openDatabase(const std::filesystem::path& file, Access access);
    void openServer(const ServerAddress& server, Access access);
    void readVersion();
    void connect(const QString& uri);
    void close();
    std::vector<std::int64_t> insertAll(const std::vector<JournalEntry>& entries, bool sending);
    std::int64_t insert(const JournalEntry& entry, const QDateTime& time, const std::string& sendingProcess);
    std::vector<QVariant> rowValues(const JournalEntry& entry, const QDateTime& time,
                                    const std::string& sendingProcess) const;
    // Runs `work`; when it failed because the server dropped the connection, connects again
    // once and runs it again.
    void withConnection(const std::function<void()>& work);
    bool connectionLost();
    void reconnect();
    void openServerConnection();
    QString columns() const;
    JournalEntry entryFrom(const QSqlQuery& row) const;
    JobStatus statusOf(const QString& name, const QString& sendingProcess, const QString& station) const;
    void insertSearch(std::int64_t id, const JournalEntry& entry);
    void copyShipping(std::int64_t id, const JournalEntry& entry);
    bool hasOutbox();
    QSqlQuery runSearch(const JournalQuery& query);
    std::optional<std::string> claimOne(const std::string& orderNumber, const std::string& key,
                                        const std::string& claim, bool printAnyway, qint64 now);
    std::optional<std::string> printedElsewhere(const std::string& orderNumber);
    void releaseUnprinted(const JournalEntry& entry);

    std::filesystem::path m_file;
    std::optional<ServerAddress> m_server;
    std::string m_name; // the file or the server, for messages
    std::string m_station;
    QString m_connection;
    QSqlDatabase m_db;
    int m_version = 0;
    bool m_readWriteConnection = false;
    bool m_writable = false;
};

} // namespace journal
