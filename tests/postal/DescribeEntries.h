#pragma once

#include "postal/PostalDirectory.h"

#include <QString>
#include <QStringList>

#include <vector>

// Postal entries one per line, their fields joined by "|", for comparisons that show every field.
inline QString DescribeEntries(const std::vector<postal::PostalEntry>& entries)
{
    QStringList out;
    for (const postal::PostalEntry& e : entries) {
        out << QString::fromStdString(e.zip + "|" + e.prefecture + "|" + e.city + "|" + e.town + "|" + e.street + "|" +
                                      e.office);
    }
    return out.join(QLatin1Char('\n'));
}
