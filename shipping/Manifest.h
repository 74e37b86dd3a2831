#pragma once

#include "journal/JournalEntry.h"
#include "slipprint/Slip.h"

#include <QDate>

#include <optional>
#include <string>
#include <vector>

// The driver's list of a day's parcels (出荷一覧): one line per printed slip.
namespace shipping {

struct ManifestLine
{
    std::int64_t id = 0;
    std::string trackingNumber;
    std::string recipient;
    std::string place; // prefecture and city
    int pieces = 1;
    std::string orderNumber;
};

struct Manifest
{
    QDate date;
    std::optional<SlipAddress> sender; // nothing when the slips have several senders
    std::vector<ManifestLine> lines;

    int pieces() const;
};

// The printed entries (failed and aborted jobs are left out) in print order; with a sender,
// only the slips of that sender (by name and telephone).
Manifest BuildManifest(const std::vector<journal::JournalEntry>& entries, const QDate& date,
                       const std::optional<SlipAddress>& sender);

// The prefecture and city an address starts with ("岐阜県大垣市", "東京都千代田区",
// "北海道上川郡美瑛町"), or its first characters when it does not read so.
std::string PlaceOf(const std::string& address);

} // namespace shipping
