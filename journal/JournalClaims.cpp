#include "journal/Journal.h"

#include "journal/OrderClaims.h"
#include "journal/Schema.h"
#include "journal/Sql.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace journal {
namespace {

// A claim whose job wrote no entry this long after it was made was cut off before it began
// (or its entries were settled as not printed); a new job may take it over.
constexpr qint64 kClaimGraceMs = qint64{10} * 60 * 1000;
// A claim none of whose order's slips went out, or may have.
const QString kNothingWentOut = QStringLiteral("NOT EXISTS (SELECT 1 FROM jobs WHERE jobs.order_number ="
                                               " claims.order_number AND status IN ('printed', 'sending'))");

QString withoutBlanks(const std::string& text)
{
    QString folded = QString::fromStdString(text);
    folded.removeIf([](QChar c) { return c.isSpace(); });
    return folded;
}

qint64 nowMs()
{
    return QDateTime::currentDateTime().toMSecsSinceEpoch();
}

} // namespace

std::string DestinationKey(const SlipAddress& recipient)
{
    QString zip = QString::fromStdString(recipient.zip);
    zip.removeIf([](QChar c) { return !c.isDigit(); });
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& field :
         {zip, withoutBlanks(recipient.address1) + withoutBlanks(recipient.address2), withoutBlanks(recipient.name)}) {
        hash.addData(field.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    }
    return hash.result().toHex().toStdString();
}

ClaimOutcome Journal::claimOrders(const std::vector<ClaimRequest>& requests)
{
    prepareForWriting();
    ClaimOutcome outcome{QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString(), {}};
    std::vector<std::string> keys;
    keys.reserve(requests.size());
    for (const ClaimRequest& request : requests) {
        keys.push_back(DestinationKey(request.recipient));
    }
    // Every job takes its rows in the same order, so two jobs wait for each other rather than
    // deadlock on the server.
    std::vector<std::size_t> order(requests.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::tie(requests[a].orderNumber, keys[a]) < std::tie(requests[b].orderNumber, keys[b]);
    });
    withConnection([&] {
        sql::InTransaction(m_db, [&] {
            outcome.taken.clear();
            const qint64 now = nowMs();
            for (const std::size_t i : order) {
                if (requests[i].orderNumber.empty()) {
                    continue;
                }
                const std::optional<std::string> holder =
                    claimOne(requests[i].orderNumber, keys[i], outcome.claim, requests[i].printAnyway, now);
                if (holder) {
                    outcome.taken.push_back({i, *holder});
                }
            }
        });
    });
    std::sort(outcome.taken.begin(), outcome.taken.end(),
              [](const ClaimTaken& a, const ClaimTaken& b) { return a.index < b.index; });
    return outcome;
}

// Nothing when the slip may print; else the station that holds it.
std::optional<std::string> Journal::claimOne(const std::string& orderNumber, const std::string& key,
                                             const std::string& claim, bool printAnyway, qint64 now)
{
    const QString order = QString::fromStdString(orderNumber);
    const QString destination = QString::fromStdString(key);
    const QString ours = QString::fromStdString(claim);
    // Entries of other stations written before batches claimed their orders.
    if (std::optional<std::string> printer = printedElsewhere(orderNumber); printer && !printAnyway) {
        return printer;
    }
    const QSqlQuery insert = sql::Run(m_db,
                                      QStringLiteral("INSERT INTO claims (order_number, destination_key, station,"
                                                     " claim_uuid, claimed_at) VALUES (?, ?, ?, ?, ?)"
                                                     " ON CONFLICT DO NOTHING"),
                                      {order, destination, QString::fromStdString(m_station), ours, now});
    if (insert.numRowsAffected() > 0) {
        return std::nullopt;
    }
    QSqlQuery held = sql::Run(m_db,
                              QStringLiteral("SELECT station, claim_uuid, claimed_at < ? AND %1"
                                             " FROM claims WHERE order_number = ? AND destination_key = ?")
                                  .arg(kNothingWentOut),
                              {now - kClaimGraceMs, order, destination});
    if (!held.next() || held.value(1).toString() == ours || printAnyway) {
        return std::nullopt;
    }
    if (held.value(2).toBool()) {
        sql::Execute(m_db,
                     QStringLiteral("UPDATE claims SET station = ?, claim_uuid = ?, claimed_at = ?"
                                    " WHERE order_number = ? AND destination_key = ? AND claim_uuid = ?"),
                     {QString::fromStdString(m_station), ours, now, order, destination, held.value(1).toString()});
        return std::nullopt;
    }
    return held.value(0).toString().toStdString();
}

void Journal::releaseClaim(const std::string& claim)
{
    if (claim.empty()) {
        return;
    }
    prepareForWriting();
    sql::Execute(m_db, QStringLiteral("DELETE FROM claims WHERE claim_uuid = ?"), {QString::fromStdString(claim)});
}

// An entry of unknown outcome the user settled as not printed gives up its slip's claim at once,
// unless another slip of the order went out.
void Journal::releaseUnprinted(const JournalEntry& entry)
{
    if (entry.orderNumber.empty() || m_version < schema::kClaimsVersion) {
        return;
    }
    sql::Execute(
        m_db,
        QStringLiteral("DELETE FROM claims WHERE order_number = ? AND destination_key = ? AND %1").arg(kNothingWentOut),
        {QString::fromStdString(entry.orderNumber), QString::fromStdString(DestinationKey(entry.slip.recipient))});
}

std::optional<std::string> Journal::printedElsewhere(const std::string& orderNumber)
{
    if (orderNumber.empty() || m_version < schema::kStationVersion) {
        return std::nullopt;
    }
    QSqlQuery row = sql::Run(m_db,
                             QStringLiteral("SELECT station FROM jobs WHERE order_number = ? AND station <> ''"
                                            " AND station <> ? AND status IN ('printed', 'sending')"
                                            " ORDER BY id DESC LIMIT 1"),
                             {QString::fromStdString(orderNumber), QString::fromStdString(m_station)});
    if (row.next()) {
        return row.value(0).toString().toStdString();
    }
    return std::nullopt;
}

std::optional<std::string> Journal::heldElsewhere(const std::string& orderNumber)
{
    if (std::optional<std::string> printer = printedElsewhere(orderNumber)) {
        return printer;
    }
    if (orderNumber.empty() || m_version < schema::kClaimsVersion) {
        return std::nullopt;
    }
    QSqlQuery row =
        sql::Run(m_db,
                 QStringLiteral("SELECT station FROM claims WHERE order_number = ? AND station <> ?"
                                " AND claimed_at >= ? LIMIT 1"),
                 {QString::fromStdString(orderNumber), QString::fromStdString(m_station), nowMs() - kClaimGraceMs});
    if (row.next()) {
        return row.value(0).toString().toStdString();
    }
    return std::nullopt;
}

} // namespace journal
