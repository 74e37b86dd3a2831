#include "shipping/Manifest.h"

#include <QRegularExpression>
#include <QString>

#include <numeric>

namespace shipping {
namespace {

// A city, ward, town or village ends at its first marker; a district (郡) runs on to its town.
qsizetype cityEnd(const QString& rest)
{
    const qsizetype city = rest.indexOf(QRegularExpression(QStringLiteral("[市区町村]")));
    const qsizetype district = rest.indexOf(u'郡');
    if (district >= 0 && (city < 0 || district < city)) {
        const qsizetype town = rest.indexOf(QRegularExpression(QStringLiteral("[町村]")), district + 1);
        return town < 0 ? district + 1 : town + 1;
    }
    return city < 0 ? 0 : city + 1;
}

int piecesOf(const std::string& count)
{
    bool ok = false;
    const int pieces = QString::fromStdString(count).toInt(&ok);
    return ok && pieces > 0 ? pieces : 1;
}

bool sameSender(const SlipAddress& a, const SlipAddress& b)
{
    return a.name == b.name && a.tel == b.tel;
}

} // namespace

int Manifest::pieces() const
{
    return std::accumulate(lines.begin(), lines.end(), 0,
                           [](int sum, const ManifestLine& line) { return sum + line.pieces; });
}

std::string PlaceOf(const std::string& address)
{
    const QString text = QString::fromStdString(address).trimmed();
    qsizetype prefecture = 0;
    if (text.startsWith(QStringLiteral("北海道"))) {
        prefecture = 3;
    } else {
        const qsizetype mark = text.indexOf(QRegularExpression(QStringLiteral("[都府県]")));
        prefecture = mark >= 1 && mark <= 3 ? mark + 1 : 0;
    }
    const qsizetype city = cityEnd(text.mid(prefecture));
    const qsizetype length = city > 0 ? prefecture + city : std::min<qsizetype>(text.size(), prefecture + 6);
    return text.left(length).toStdString();
}

Manifest BuildManifest(const std::vector<journal::JournalEntry>& entries, const QDate& date,
                       const std::optional<SlipAddress>& sender)
{
    Manifest manifest;
    manifest.date = date;
    manifest.sender = sender;
    bool several = false;
    for (const journal::JournalEntry& entry : entries) {
        if (entry.status != journal::JobStatus::Printed || (sender && !sameSender(*sender, entry.slip.sender))) {
            continue;
        }
        if (!manifest.sender) {
            manifest.sender = entry.slip.sender;
        } else if (!sameSender(*manifest.sender, entry.slip.sender)) {
            several = true;
        }
        manifest.lines.push_back({entry.id, entry.trackingNumber, entry.slip.recipient.name,
                                  PlaceOf(entry.slip.recipient.address1), piecesOf(entry.slip.pieceCount),
                                  entry.orderNumber});
    }
    if (several) {
        manifest.sender.reset();
    }
    return manifest;
}

} // namespace shipping
