#include "shipping/ShippedExport.h"

#include "journal/Journal.h"

namespace shipping {

ShippedExport ExportShipped(journal::Journal& journal, const ShippedFormat& format, const QDate& from, const QDate& to,
                            const CarrierValues& carrier)
{
    ShippedExport shipped;
    std::vector<journal::ShipmentRecord> records = journal.shipments(from, to);
    std::erase_if(records, [&shipped](const journal::ShipmentRecord& record) {
        if (record.orderNumber.empty()) {
            ++shipped.withoutOrder;
            return true;
        }
        if (record.trackingNumber.empty()) {
            ++shipped.withoutNumber;
            return true;
        }
        return false;
    });
    shipped.ids.reserve(records.size());
    for (const journal::ShipmentRecord& record : records) {
        shipped.ids.push_back(record.id);
    }
    shipped.content = RenderShippedFile(format, records, carrier);
    return shipped;
}

std::string LeftOutSummary(const ShippedExport& shipped)
{
    std::string summary;
    if (shipped.withoutNumber > 0) {
        summary = "番号なし " + std::to_string(shipped.withoutNumber) + "件";
    }
    if (shipped.withoutOrder > 0) {
        summary +=
            (summary.empty() ? "" : "、") + std::string("注文番号なし ") + std::to_string(shipped.withoutOrder) + "件";
    }
    return summary;
}

} // namespace shipping
