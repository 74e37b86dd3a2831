#pragma once

#include "journal/Journal.h"

#include <QDateTime>

#include <string>

// Journal entries as a shipping day leaves them.
namespace shippingsamples {

inline journal::JournalEntry Printed(const std::string& order, const QDateTime& time,
                                     const std::string& name = "西濃太郎",
                                     journal::JobStatus status = journal::JobStatus::Printed)
{
    journal::JournalEntry entry;
    entry.time = time;
    entry.status = status;
    entry.printer = "PDF";
    entry.paperFeed = "連続(４インチ)";
    entry.orderNumber = order;
    entry.slip.recipient = {"503-0001", "岐阜県大垣市林町1-2", "", name, "0584-11-2222"};
    entry.slip.sender = {"100-0001", "東京都千代田区千代田1", "", "送り主商店", "03-1111-2222"};
    entry.slip.pieceCount = "1";
    return entry;
}

inline QDateTime At(int day, int hour)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 0));
}

} // namespace shippingsamples
