#include "journal/Journal.h"

#include "journal/JobOwner.h"
#include "journal/Schema.h"
#include "journal/SearchText.h"
#include "journal/ServerBackoff.h"
#include "journal/SlipJson.h"
#include "journal/Sql.h"
#include "platform/RegularFile.h"
#include "platform/SharedFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTimeZone>
#include <QUuid>

#include <atomic>

#include <unistd.h>

namespace journal {
namespace {

const QByteArray kSqliteMagic("SQLite format 3\0", 16);

const QString kColumns = QStringLiteral("id, printed_at, status, message, printer, paper_feed, cups_job_id, pdf_file,"
                                        " order_number, reprint_of, fields");
const QString kEntryIdColumns = QStringLiteral(", entry_uuid, sending_process");
const QString kTrackingColumns =
    QStringLiteral(", tracking_number, (SELECT %1(platform, ',') FROM exports WHERE job_id = jobs.id)");
const QString kStationColumns = QStringLiteral(", station");
// Entries of an older layout, read where it cannot be brought up to date.
const QString kNoEntryIdColumns = QStringLiteral(", '', ''");
const QString kNoTrackingColumns = QStringLiteral(", '', ''");
const QString kNoStationColumns = QStringLiteral(", ''");
} // namespace

const QString Journal::kInsertJob =
    QStringLiteral("INSERT INTO jobs (printed_at, status, message, printer, paper_feed, cups_job_id, pdf_file,"
                   " order_number, reprint_of, slip_key, fields, entry_uuid, sending_process, station)"
                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

namespace {

const QString kGoneOut = QStringLiteral("status IN ('printed', 'sending')");

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("mivo_journal_%1").arg(++counter);
}

QString fileName(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

// SQLite's URI form, so that the open mode says whether the file may be created.
QString uriOf(const std::filesystem::path& file, const char* parameters)
{
    const QByteArray path = QFile::encodeName(QString::fromStdString(std::filesystem::absolute(file).string()));
    QByteArray escaped;
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            escaped += '%' + QByteArray::number(static_cast<unsigned char>(c), 16);
        } else {
            escaped += c;
        }
    }
    return QStringLiteral("file://%1?%2").arg(QString::fromUtf8(escaped), QLatin1String(parameters));
}

bool canWrite(const std::filesystem::path& path)
{
    return ::access(path.c_str(), W_OK) == 0;
}

// Reading through a read-write connection lets its close fold the log back and remove it;
// a read-only one would leave the -wal and -shm files behind. Where nothing may be written,
// the file is read as it stands, unless a log of someone else's holds entries not yet in it.
const char* readingMode(const std::filesystem::path& file)
{
    const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
    if (canWrite(folder) && canWrite(file)) {
        return "mode=rw";
    }
    std::error_code error;
    const auto logSize = std::filesystem::file_size(std::filesystem::path(file.string() + "-wal"), error);
    return !error && logSize > 0 ? "mode=ro" : "mode=ro&immutable=1";
}

// Anything else handed to SQLite might be taken for a database to repair or overwrite.
// Runs before the process's first connection to the file: what stands under its name (and
// its -wal, -shm and -journal) is checked without opening it, so that neither a FIFO nor a
// link planted in a shared folder is ever handed to SQLite.
void refuseForeignFile(const std::filesystem::path& file)
{
    std::optional<std::string> head;
    try {
        SharedFolder::CheckDatabase(file);
        head = ReadRegularFileStart(file, static_cast<std::size_t>(kSqliteMagic.size()));
    } catch (const std::runtime_error& error) {
        throw JournalError(error.what());
    }
    if (head && !head->empty() && QByteArray::fromStdString(*head) != kSqliteMagic) {
        throw JournalError(file.string() + " is not a print journal");
    }
}

QString slipKey(const Slip& slip)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const SlipAddress& to = slip.recipient;
    for (const std::string* field :
         {&to.zip, &to.address1, &to.address2, &to.name, &to.tel, &slip.goods[0], &slip.goods[1], &slip.goods[2]}) {
        hash.addData(QByteArray::fromStdString(*field));
        hash.addData(QByteArrayView("\x1f", 1));
    }
    return QString::fromLatin1(hash.result().toHex());
}

QStringList searchedFields(const JournalEntry& entry)
{
    const SlipAddress& s = entry.slip.recipient;
    QStringList fields;
    for (const std::string* field : {&s.name, &s.tel, &s.zip, &s.address1, &s.address2, &entry.orderNumber}) {
        fields << QString::fromStdString(*field);
    }
    return fields;
}

qint64 startOf(const QDate& date)
{
    return date.startOfDay().toMSecsSinceEpoch();
}

QVariant idValue(std::int64_t id)
{
    return QVariant::fromValue<qint64>(id);
}

// Text patterns for LIKE: the words hold letters and digits only, but a pattern is a pattern.
QString containing(const QString& word)
{
    QString escaped = word;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('%'), QLatin1String("\\%"));
    escaped.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace

// Only this station can tell whether the process sending a job still runs; a job another
// station is sending stays "sending" until that station finishes it.
JobStatus Journal::statusOf(const QString& name, const QString& sendingProcess, const QString& station) const
{
    const JobStatus status = StatusFromName(name.toStdString()).value_or(JobStatus::Failed);
    const bool ours = station.isEmpty() || station.toStdString() == m_station;
    if (status == JobStatus::Sending && ours && !owner::Alive(sendingProcess.toStdString())) {
        return JobStatus::Unknown;
    }
    return status;
}

JournalEntry Journal::entryFrom(const QSqlQuery& row) const
{
    JournalEntry entry;
    entry.id = row.value(0).toLongLong();
    entry.time = QDateTime::fromMSecsSinceEpoch(row.value(1).toLongLong()).toLocalTime();
    entry.status = statusOf(row.value(2).toString(), row.value(12).toString(), row.value(15).toString());
    entry.message = row.value(3).toString().toStdString();
    entry.printer = row.value(4).toString().toStdString();
    entry.paperFeed = row.value(5).toString().toStdString();
    entry.cupsJobId = row.value(6).toInt();
    entry.pdfFile = row.value(7).toString().toStdString();
    entry.orderNumber = row.value(8).toString().toStdString();
    entry.reprintOf = row.value(9).toLongLong();
    const QJsonObject fields = QJsonDocument::fromJson(row.value(10).toString().toUtf8()).object();
    entry.slip = SlipFromJson(fields);
    entry.printState = PrintStateFromJson(fields);
    entry.uuid = row.value(11).toString().toStdString();
    entry.trackingNumber = row.value(13).toString().toStdString();
    const QString exported = row.value(14).toString();
    for (const QString& platform : exported.split(u',', Qt::SkipEmptyParts)) {
        entry.exportedTo.push_back(platform.toStdString());
    }
    entry.station = row.value(15).toString().toStdString();
    return entry;
}

const char* StatusName(JobStatus status)
{
    switch (status) {
    case JobStatus::Printed:
        return "printed";
    case JobStatus::Failed:
        return "failed";
    case JobStatus::Aborted:
        return "aborted";
    case JobStatus::Sending:
        return "sending";
    case JobStatus::Unknown:
        return "unknown";
    }
    return "failed";
}

std::optional<JobStatus> StatusFromName(const std::string& name)
{
    for (const JobStatus status : {JobStatus::Printed, JobStatus::Failed, JobStatus::Aborted, JobStatus::Sending}) {
        if (name == StatusName(status)) {
            return status;
        }
    }
    return std::nullopt;
}

bool CountsAsPrinted(JobStatus status)
{
    return status == JobStatus::Printed || status == JobStatus::Sending || status == JobStatus::Unknown;
}

std::filesystem::path Journal::In(const std::filesystem::path& folder)
{
    return folder / kFileName;
}

Journal::Journal(const std::filesystem::path& file, Access access)
    : m_file(file), m_name(file.string()), m_station(QSysInfo::machineHostName().toStdString()),
      m_connection(nextConnectionName())
{
    openNamed([&] { openDatabase(file, access); });
}

Journal::Journal(const ServerAddress& server, Access access)
    : m_name("journal server " + server.name), m_station(QSysInfo::machineHostName().toStdString()),
      m_connection(nextConnectionName())
{
    openNamed([&] { openServer(server, access); });
}

// A journal that cannot be opened closes its connection and says which journal it was.
template <typename Open> void Journal::openNamed(Open&& open)
{
    try {
        open();
    } catch (const ServerUnreachable& error) {
        close();
        throw ServerUnreachable(m_name + ": " + error.what());
    } catch (const JournalError& error) {
        close();
        throw JournalError(m_name + ": " + error.what());
    }
}

Journal::~Journal()
{
    close();
}

void Journal::openDatabase(const std::filesystem::path& file, Access access)
{
    refuseForeignFile(file);
    if (access == Access::ReadOnly && !QFile::exists(fileName(file))) {
        throw JournalError("no journal yet");
    }
    const char* mode = access == Access::ReadWrite ? "mode=rwc" : readingMode(file);
    m_readWriteConnection = access == Access::ReadWrite || QLatin1String(mode) == QLatin1String("mode=rw");
    connect(uriOf(file, mode));
    readVersion();
    if (access == Access::ReadWrite) {
        prepareForWriting();
    }
}

void Journal::openServer(const ServerAddress& server, Access access)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    if (!m_db.isValid()) {
        throw JournalError("the PostgreSQL driver of Qt is not installed");
    }
    ConfigureConnection(m_db, server);
    m_server = server;
    openServerConnection();
    QSqlQuery encoding = sql::Run(m_db, QStringLiteral("SHOW server_encoding"));
    if (encoding.next() && encoding.value(0).toString() != QLatin1String("UTF8")) {
        throw JournalError("the database's encoding is " + encoding.value(0).toString().toStdString() +
                           "; the journal needs UTF8");
    }
    m_readWriteConnection = true;
    readVersion();
    if (access == Access::ReadOnly && m_version == 0) {
        throw JournalError("no journal yet");
    }
    if (access == Access::ReadWrite) {
        prepareForWriting();
    }
}

// A server that did not answer is not asked again for a while: each attempt may wait the
// connect timeout.
void Journal::openServerConnection()
{
    const std::string& name = m_server->name;
    if (!backoff::MayTry(name)) {
        throw ServerUnreachable("did not answer a moment ago");
    }
    if (!m_db.open()) {
        backoff::Failed(name);
        throw ServerUnreachable(m_db.lastError().text().toStdString());
    }
    backoff::Answered(name);
}

void Journal::withConnection(const std::function<void()>& work)
{
    try {
        work();
        return;
    } catch (const JournalError&) {
        if (!connectionLost()) {
            throw;
        }
    }
    reconnect();
    work();
}

// A statement that failed on a live connection leaves it able to answer the simplest one.
bool Journal::connectionLost()
{
    if (!m_server) {
        return false;
    }
    if (!m_db.isOpen()) {
        return true;
    }
    QSqlQuery probe(m_db);
    return !probe.exec(QStringLiteral("SELECT 1"));
}

void Journal::reconnect()
{
    m_db.close();
    try {
        openServerConnection();
    } catch (const JournalError& error) {
        throw ServerUnreachable(m_name + ": " + error.what());
    }
}

void Journal::readVersion()
{
    m_version = schema::VersionOf(m_db);
    if (m_version > schema::kCurrentVersion) {
        throw JournalError("the journal was written by a newer version of the program");
    }
}

void Journal::connect(const QString& uri)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!m_db.isValid()) {
        throw JournalError("the SQLite driver of Qt is not installed");
    }
    m_db.setDatabaseName(uri);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_URI");
    if (!m_readWriteConnection) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        throw JournalError(m_db.lastError().text().toStdString());
    }
}

void Journal::prepareForWriting()
{
    if (m_writable) {
        return;
    }
    if (!m_readWriteConnection) {
        throw JournalError(m_file.string() + " or its folder cannot be written");
    }
    if (!sql::OnServer(m_db)) {
        // WAL keeps readers and the writer apart and makes a commit one append; NORMAL syncs at
        // checkpoints, which can lose the last entries on power loss but never half of one.
        sql::Execute(m_db, QStringLiteral("PRAGMA journal_mode = WAL"));
        sql::Execute(m_db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    schema::Upgrade(m_db, m_version);
    m_version = schema::kCurrentVersion;
    m_writable = true;
}

QString Journal::columns() const
{
    const QString joined = sql::OnServer(m_db) ? QStringLiteral("string_agg") : QStringLiteral("group_concat");
    return kColumns + (m_version >= schema::kEntryIdsVersion ? kEntryIdColumns : kNoEntryIdColumns) +
           (m_version >= schema::kTrackingVersion ? kTrackingColumns.arg(joined) : kNoTrackingColumns) +
           (m_version >= schema::kStationVersion ? kStationColumns : kNoStationColumns);
}

void Journal::close()
{
    if (m_db.isValid()) {
        m_db.close();
    }
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

std::int64_t Journal::recordJob(const JournalEntry& entry)
{
    return recordJobs({entry}).front();
}

std::vector<std::int64_t> Journal::recordJobs(const std::vector<JournalEntry>& entries)
{
    return insertAll(entries, false);
}

std::vector<std::int64_t> Journal::beginJobs(const std::vector<JournalEntry>& entries)
{
    return insertAll(entries, true);
}

// All or none, in order. Entries being sent are dated now and owned by this process.
std::vector<std::int64_t> Journal::insertAll(const std::vector<JournalEntry>& entries, bool sending)
{
    prepareForWriting();
    const QDateTime now = QDateTime::currentDateTime();
    const std::string process = sending ? owner::Current() : std::string();
    std::vector<std::int64_t> ids;
    ids.reserve(entries.size());
    withConnection([&] {
        sql::InTransaction(m_db, [&] {
            ids.clear();
            for (JournalEntry entry : entries) {
                if (sending) {
                    entry.status = JobStatus::Sending;
                }
                ids.push_back(insert(entry, sending || !entry.time.isValid() ? now : entry.time, process));
            }
        });
    });
    return ids;
}

void Journal::finishJobs(const std::vector<std::int64_t>& ids, const JobEnd& end, const std::string& claim)
{
    prepareForWriting();
    const qint64 now = QDateTime::currentDateTime().toMSecsSinceEpoch();
    withConnection([&] {
        sql::InTransaction(m_db, [&] {
            for (const std::int64_t id : ids) {
                sql::Execute(
                    m_db,
                    QStringLiteral("UPDATE jobs SET status = ?, message = ?, cups_job_id = ?, pdf_file = ?,"
                                   " printed_at = ?, sending_process = '' WHERE id = ? AND status = 'sending'"),
                    {QString::fromLatin1(StatusName(end.status)), QString::fromStdString(end.message), end.cupsJobId,
                     QString::fromStdString(end.pdfFile), now, QVariant::fromValue<qint64>(id)});
            }
            if (!CountsAsPrinted(end.status)) {
                releaseClaim(claim);
            }
        });
    });
}

bool Journal::resolve(std::int64_t id, bool printed)
{
    prepareForWriting();
    bool resolved = false;
    sql::InTransaction(m_db, [&] {
        const std::optional<JournalEntry> entry = find(id);
        if (!entry || entry->status != JobStatus::Unknown) {
            return;
        }
        const JobStatus status = printed ? JobStatus::Printed : JobStatus::Failed;
        const QString message =
            printed ? QStringLiteral("") : QStringLiteral("not printed, as checked after the job was cut off");
        sql::Execute(m_db,
                     QStringLiteral("UPDATE jobs SET status = ?, message = ?, sending_process = ''"
                                    " WHERE id = ? AND status = 'sending'"),
                     {QString::fromLatin1(StatusName(status)), message, QVariant::fromValue<qint64>(id)});
        if (!printed) {
            releaseUnprinted(*entry);
        }
        resolved = true;
    });
    return resolved;
}

// The values of kInsertJob's columns, in order.
std::vector<QVariant> Journal::rowValues(const JournalEntry& entry, const QDateTime& time,
                                         const std::string& sendingProcess) const
{
    const QString uuid =
        entry.uuid.empty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : QString::fromStdString(entry.uuid);
    const QByteArray fields = QJsonDocument(SlipToJson(entry.slip, entry.printState)).toJson(QJsonDocument::Compact);
    const std::string& station = entry.station.empty() ? m_station : entry.station;
    // An entry of unknown outcome is stored "sending", as it was found.
    const JobStatus status = entry.status == JobStatus::Unknown ? JobStatus::Sending : entry.status;
    return {time.toMSecsSinceEpoch(),
            QString::fromLatin1(StatusName(status)),
            QString::fromStdString(entry.message),
            QString::fromStdString(entry.printer),
            QString::fromStdString(entry.paperFeed),
            entry.cupsJobId,
            QString::fromStdString(entry.pdfFile),
            QString::fromStdString(entry.orderNumber),
            idValue(entry.reprintOf),
            slipKey(entry.slip),
            QString::fromUtf8(fields),
            uuid,
            QString::fromStdString(sendingProcess),
            QString::fromStdString(station)};
}

std::int64_t Journal::insert(const JournalEntry& entry, const QDateTime& time, const std::string& sendingProcess)
{
    const bool onServer = sql::OnServer(m_db);
    QSqlQuery row = sql::Run(m_db, kInsertJob + (onServer ? QStringLiteral(" RETURNING id") : QString()),
                             rowValues(entry, time, sendingProcess));
    const std::int64_t id = onServer ? (row.next() ? row.value(0).toLongLong() : 0) : row.lastInsertId().toLongLong();
    if (id == 0) {
        throw JournalError("the new entry got no id");
    }
    insertSearch(id, entry);
    return id;
}

void Journal::insertSearch(std::int64_t id, const JournalEntry& entry)
{
    if (sql::OnServer(m_db)) {
        sql::Execute(m_db, QStringLiteral("INSERT INTO search (job_id, folded) VALUES (?, ?)"),
                     {idValue(id), search::FoldedText(searchedFields(entry))});
        return;
    }
    const search::IndexColumns columns = search::ColumnsOf(searchedFields(entry));
    sql::Execute(m_db, QStringLiteral("INSERT INTO search (rowid, pairs, singles) VALUES (?, ?, ?)"),
                 {idValue(id), columns.pairs, columns.singles});
}

std::optional<JournalEntry> Journal::find(std::int64_t id)
{
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT %1 FROM jobs WHERE id = ?").arg(columns()),
                             {QVariant::fromValue<qint64>(id)});
    if (!row.next()) {
        return std::nullopt;
    }
    return entryFrom(row);
}

std::vector<JournalEntry> Journal::search(const JournalQuery& query)
{
    std::vector<JournalEntry> entries;
    withConnection([&] {
        entries.clear();
        QSqlQuery rows = runSearch(query);
        while (rows.next()) {
            entries.push_back(entryFrom(rows));
        }
    });
    return entries;
}

QSqlQuery Journal::runSearch(const JournalQuery& query)
{
    const qint64 from = query.from ? startOf(*query.from) : std::numeric_limits<qint64>::min();
    const qint64 to = query.to ? startOf(query.to->addDays(1)) : std::numeric_limits<qint64>::max();
    const qint64 before = query.beforeId > 0 ? query.beforeId : std::numeric_limits<qint64>::max();
    const qint64 limit = query.limit > 0 ? query.limit : std::numeric_limits<qint64>::max();
    const QString text = QString::fromStdString(query.text);
    if (sql::OnServer(m_db)) {
        // Every word within one field's folded text, as the file's index finds it.
        std::vector<QVariant> values{before, from, to};
        QString words;
        for (const QString& word : search::Words(text)) {
            words += QStringLiteral(" AND folded LIKE ?");
            values.emplace_back(containing(word));
        }
        values.emplace_back(limit);
        const QString matching = words.isEmpty()
                                     ? QString()
                                     : QStringLiteral(" AND id IN (SELECT job_id FROM search WHERE TRUE%1)").arg(words);
        return sql::Run(m_db,
                        QStringLiteral("SELECT %1 FROM jobs WHERE id < ? AND printed_at >= ? AND printed_at < ?%2"
                                       " ORDER BY id DESC LIMIT ?")
                            .arg(columns(), matching),
                        values);
    }
    const QString match = search::MatchExpression(text);
    // The index walks entries newest first, so a search stops as soon as the page is full.
    if (match.isEmpty()) {
        return sql::Run(m_db,
                        QStringLiteral("SELECT %1 FROM jobs WHERE id < ? AND printed_at >= ? AND printed_at < ?"
                                       " ORDER BY id DESC LIMIT ?")
                            .arg(columns()),
                        {before, from, to, limit});
    }
    return sql::Run(m_db,
                    QStringLiteral("SELECT %1 FROM search JOIN jobs ON id = search.rowid WHERE search MATCH ?"
                                   " AND search.rowid < ? AND printed_at >= ? AND printed_at < ?"
                                   " ORDER BY search.rowid DESC LIMIT ?")
                        .arg(columns()),
                    {match, before, from, to, limit});
}

bool Journal::hasOrder(const std::string& orderNumber)
{
    QSqlQuery row =
        sql::Run(m_db, QStringLiteral("SELECT 1 FROM jobs WHERE order_number = ? AND %1 LIMIT 1").arg(kGoneOut),
                 {QString::fromStdString(orderNumber)});
    return !orderNumber.empty() && row.next();
}

std::optional<JobStatus> Journal::orderStatus(const std::string& orderNumber)
{
    if (orderNumber.empty()) {
        return std::nullopt;
    }
    const QString process = m_version >= schema::kEntryIdsVersion ? QStringLiteral("sending_process") : "''";
    const QString station = m_version >= schema::kStationVersion ? QStringLiteral("station") : "''";
    QSqlQuery rows = sql::Run(
        m_db,
        QStringLiteral("SELECT status, %1, %2 FROM jobs WHERE order_number = ? AND %3").arg(process, station, kGoneOut),
        {QString::fromStdString(orderNumber)});
    std::optional<JobStatus> strongest;
    while (rows.next()) {
        const JobStatus status = statusOf(rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toString());
        if (status == JobStatus::Printed) {
            return status;
        }
        if (!strongest || status == JobStatus::Sending) {
            strongest = status;
        }
    }
    return strongest;
}

bool Journal::printedSince(const Slip& slip, const QDateTime& since)
{
    return stationPrintedSince(slip, since).has_value();
}

std::optional<std::string> Journal::stationPrintedSince(const Slip& slip, const QDateTime& since)
{
    const QString station = m_version >= schema::kStationVersion ? QStringLiteral("station") : "''";
    std::optional<std::string> printedOn;
    withConnection([&] {
        QSqlQuery row = sql::Run(m_db,
                                 QStringLiteral("SELECT %1 FROM jobs WHERE slip_key = ? AND printed_at >= ? AND %2"
                                                " ORDER BY printed_at DESC LIMIT 1")
                                     .arg(station, kGoneOut),
                                 {slipKey(slip), since.toMSecsSinceEpoch()});
        printedOn.reset();
        if (row.next()) {
            const std::string printer = row.value(0).toString().toStdString();
            printedOn = printer == m_station ? std::string() : printer;
        }
    });
    return printedOn;
}

bool Journal::remove(std::int64_t id)
{
    prepareForWriting();
    bool removed = false;
    sql::InTransaction(m_db, [&] {
        const QSqlQuery erase =
            sql::Run(m_db, QStringLiteral("DELETE FROM jobs WHERE id = ?"), {QVariant::fromValue<qint64>(id)});
        removed = erase.numRowsAffected() > 0;
        sql::Execute(m_db,
                     sql::OnServer(m_db) ? QStringLiteral("DELETE FROM search WHERE job_id = ?")
                                         : QStringLiteral("DELETE FROM search WHERE rowid = ?"),
                     {idValue(id)});
        sql::Execute(m_db, QStringLiteral("DELETE FROM exports WHERE job_id = ?"), {QVariant::fromValue<qint64>(id)});
    });
    return removed;
}

std::int64_t Journal::count()
{
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT count(*) FROM jobs"));
    return row.next() ? row.value(0).toLongLong() : 0;
}

} // namespace journal
