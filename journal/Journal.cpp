#include "journal/Journal.h"

#include "journal/Schema.h"
#include "journal/SearchText.h"
#include "journal/SlipJson.h"
#include "journal/Sql.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <atomic>
#include <limits>

namespace journal {
namespace {

const QByteArray kSqliteMagic("SQLite format 3\0", 16);

const QString kColumns = QStringLiteral("id, printed_at, status, message, printer, paper_feed, cups_job_id, pdf_file,"
                                        " order_number, reprint_of, fields, tracking_number,"
                                        " (SELECT group_concat(platform, ',') FROM exports WHERE job_id = jobs.id)");

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("mivo_journal_%1").arg(++counter);
}

QString fileName(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

// Anything else handed to SQLite might be taken for a database to repair or overwrite.
void refuseForeignFile(const std::filesystem::path& file)
{
    QFile f(fileName(file));
    if (!f.exists() || f.size() == 0) {
        return;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        throw JournalError("cannot read " + file.string());
    }
    if (f.read(kSqliteMagic.size()) != kSqliteMagic) {
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

JournalEntry entryFrom(const QSqlQuery& row)
{
    JournalEntry entry;
    entry.id = row.value(0).toLongLong();
    entry.time = QDateTime::fromMSecsSinceEpoch(row.value(1).toLongLong()).toLocalTime();
    entry.status = StatusFromName(row.value(2).toString().toStdString()).value_or(JobStatus::Failed);
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
    entry.trackingNumber = row.value(11).toString().toStdString();
    const QString exported = row.value(12).toString();
    for (const QString& platform : exported.split(u',', Qt::SkipEmptyParts)) {
        entry.exportedTo.push_back(platform.toStdString());
    }
    return entry;
}

} // namespace

const char* StatusName(JobStatus status)
{
    switch (status) {
    case JobStatus::Printed:
        return "printed";
    case JobStatus::Failed:
        return "failed";
    case JobStatus::Aborted:
        return "aborted";
    }
    return "failed";
}

std::optional<JobStatus> StatusFromName(const std::string& name)
{
    for (const JobStatus status : {JobStatus::Printed, JobStatus::Failed, JobStatus::Aborted}) {
        if (name == StatusName(status)) {
            return status;
        }
    }
    return std::nullopt;
}

std::filesystem::path Journal::In(const std::filesystem::path& folder)
{
    return folder / kFileName;
}

Journal::Journal(const std::filesystem::path& file, Access access) : m_connection(nextConnectionName())
{
    try {
        openDatabase(file, access);
    } catch (const JournalError& error) {
        close();
        throw JournalError(file.string() + ": " + error.what());
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
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!m_db.isValid()) {
        throw JournalError("the SQLite driver of Qt is not installed");
    }
    m_db.setDatabaseName(fileName(file));
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000");
    if (access == Access::ReadOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        throw JournalError(m_db.lastError().text().toStdString());
    }
    m_version = schema::VersionOf(m_db);
    if (m_version > schema::kCurrentVersion) {
        throw JournalError("the journal was written by a newer version of the program");
    }
    if (access == Access::ReadOnly) {
        if (m_version < schema::kCurrentVersion) {
            throw JournalError("the journal needs an upgrade");
        }
        return;
    }
    // WAL keeps readers and the writer apart and makes a commit one append; NORMAL syncs at
    // checkpoints, which can lose the last entries on power loss but never half of one.
    sql::Execute(m_db, QStringLiteral("PRAGMA journal_mode = WAL"));
    sql::Execute(m_db, QStringLiteral("PRAGMA synchronous = NORMAL"));
    schema::Upgrade(m_db, m_version);
    m_version = schema::kCurrentVersion;
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
    const QDateTime now = QDateTime::currentDateTime();
    std::vector<std::int64_t> ids;
    ids.reserve(entries.size());
    sql::InTransaction(m_db, [&] {
        ids.clear();
        for (const JournalEntry& entry : entries) {
            ids.push_back(insert(entry, entry.time.isValid() ? entry.time : now));
        }
    });
    return ids;
}

std::int64_t Journal::insert(const JournalEntry& entry, const QDateTime& time)
{
    const QByteArray fields = QJsonDocument(SlipToJson(entry.slip, entry.printState)).toJson(QJsonDocument::Compact);
    const search::IndexColumns columns = search::ColumnsOf(searchedFields(entry));
    const QSqlQuery row = sql::Run(
        m_db,
        QStringLiteral("INSERT INTO jobs (printed_at, status, message, printer, paper_feed, cups_job_id, pdf_file,"
                       " order_number, reprint_of, slip_key, fields) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {time.toMSecsSinceEpoch(), QString::fromLatin1(StatusName(entry.status)), QString::fromStdString(entry.message),
         QString::fromStdString(entry.printer), QString::fromStdString(entry.paperFeed), entry.cupsJobId,
         QString::fromStdString(entry.pdfFile), QString::fromStdString(entry.orderNumber),
         QVariant::fromValue<qint64>(entry.reprintOf), slipKey(entry.slip), QString::fromUtf8(fields)});
    const std::int64_t id = row.lastInsertId().toLongLong();
    sql::Execute(m_db, QStringLiteral("INSERT INTO search (rowid, pairs, singles) VALUES (?, ?, ?)"),
                 {QVariant::fromValue<qint64>(id), columns.pairs, columns.singles});
    return id;
}

std::optional<JournalEntry> Journal::find(std::int64_t id)
{
    QSqlQuery row = sql::Run(m_db, QStringLiteral("SELECT %1 FROM jobs WHERE id = ?").arg(kColumns),
                             {QVariant::fromValue<qint64>(id)});
    if (!row.next()) {
        return std::nullopt;
    }
    return entryFrom(row);
}

std::vector<JournalEntry> Journal::search(const JournalQuery& query)
{
    const QString match = search::MatchExpression(QString::fromStdString(query.text));
    const qint64 from = query.from ? startOf(*query.from) : std::numeric_limits<qint64>::min();
    const qint64 to = query.to ? startOf(query.to->addDays(1)) : std::numeric_limits<qint64>::max();
    const qint64 before = query.beforeId > 0 ? query.beforeId : std::numeric_limits<qint64>::max();
    const int limit = query.limit > 0 ? query.limit : -1;
    // The index walks entries newest first, so a search stops as soon as the page is full.
    const QString statement =
        match.isEmpty() ? QStringLiteral("SELECT %1 FROM jobs WHERE id < ? AND printed_at >= ? AND printed_at < ?"
                                         " ORDER BY id DESC LIMIT ?")
                              .arg(kColumns)
                        : QStringLiteral("SELECT %1 FROM search JOIN jobs ON id = search.rowid WHERE search MATCH ?"
                                         " AND search.rowid < ? AND printed_at >= ? AND printed_at < ?"
                                         " ORDER BY search.rowid DESC LIMIT ?")
                              .arg(kColumns);
    QSqlQuery rows = match.isEmpty() ? sql::Run(m_db, statement, {before, from, to, limit})
                                     : sql::Run(m_db, statement, {match, before, from, to, limit});
    std::vector<JournalEntry> entries;
    while (rows.next()) {
        entries.push_back(entryFrom(rows));
    }
    return entries;
}

bool Journal::hasOrder(const std::string& orderNumber)
{
    QSqlQuery row =
        sql::Run(m_db, QStringLiteral("SELECT 1 FROM jobs WHERE order_number = ? AND status = 'printed' LIMIT 1"),
                 {QString::fromStdString(orderNumber)});
    return !orderNumber.empty() && row.next();
}

bool Journal::printedSince(const Slip& slip, const QDateTime& since)
{
    QSqlQuery row = sql::Run(
        m_db,
        QStringLiteral("SELECT 1 FROM jobs WHERE slip_key = ? AND printed_at >= ? AND status = 'printed' LIMIT 1"),
        {slipKey(slip), since.toMSecsSinceEpoch()});
    return row.next();
}

bool Journal::remove(std::int64_t id)
{
    bool removed = false;
    sql::InTransaction(m_db, [&] {
        const QSqlQuery erase =
            sql::Run(m_db, QStringLiteral("DELETE FROM jobs WHERE id = ?"), {QVariant::fromValue<qint64>(id)});
        removed = erase.numRowsAffected() > 0;
        sql::Execute(m_db, QStringLiteral("DELETE FROM search WHERE rowid = ?"), {QVariant::fromValue<qint64>(id)});
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
