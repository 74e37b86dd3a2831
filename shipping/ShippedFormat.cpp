#include "shipping/ShippedFormat.h"

#include "platform/Cp932.h"
#include "shipping/TrackingNumber.h"

#include <algorithm>
#include <array>

namespace shipping {
namespace {

using enum ShippedColumn;

const std::array<ShippedFormat, 3> kFormats{{
    {"rakuten",
     "楽天市場（発送完了 CSV）",
     true,
     ',',
     {{"注文番号", "送付先ID", "発送明細ID", "お荷物伝票番号", "配送会社", "発送日"}},
     {Order, Blank, Blank, TrackingNumber, CarrierCode, ShipDate},
     // 1004 is 西濃運輸 in the platform's list of carriers.
     {{"carrierCode", "配送会社コード", "1004"}}},
    {"amazon",
     "Amazon（出荷通知ファイル）",
     true,
     '\t',
     {{"TemplateType=OrderFulfillment", "Version=2011.1102",
       "この行はAmazonが使用しますので変更や削除しないでください。"},
      {"注文番号", "注文商品番号", "出荷数", "出荷日", "配送業者コード", "配送業者名", "お問い合わせ伝票番号",
       "配送方法"},
      {"order-id", "order-item-id", "quantity", "ship-date", "carrier-code", "carrier-name", "tracking-number",
       "ship-method"}},
     // Item and quantity left empty ship the whole order.
     {Order, Blank, Blank, ShipDate, CarrierCode, CarrierName, TrackingNumber, Blank},
     {{"carrierCode", "配送業者コード", "Other"}, {"carrierName", "配送業者名", "西濃運輸"}}},
    {"generic",
     "汎用 CSV（UTF-8）",
     false,
     ',',
     {{"order", "tracking_number", "ship_date", "carrier", "tracking_url"}},
     {Order, TrackingNumber, ShipDate, CarrierName, TrackingUrl},
     {{"carrierName", "配送会社", "西濃運輸"}}},
}};

void appendCell(std::string& line, std::string_view cell, char separator)
{
    if (separator == '\t') {
        for (const char c : cell) {
            line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
        }
        return;
    }
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(cell);
        return;
    }
    line.push_back('"');
    for (const char c : cell) {
        line.append(c == '"' ? "\"\"" : std::string_view(&c, 1));
    }
    line.push_back('"');
}

template <typename Cells> void appendLine(std::string& text, const Cells& cells, char separator)
{
    bool first = true;
    for (const auto& cell : cells) {
        if (!first) {
            text.push_back(separator);
        }
        first = false;
        appendCell(text, cell, separator);
    }
    text.append("\r\n");
}

std::string cellOf(ShippedColumn column, const journal::ShipmentRecord& record, const CarrierValues& carrier)
{
    switch (column) {
    case Order:
        return record.orderNumber;
    case Blank:
        return {};
    case TrackingNumber:
        return record.trackingNumber;
    case CarrierCode:
        return carrier.code;
    case CarrierName:
        return carrier.name;
    case ShipDate:
        return record.time.date().toString(Qt::ISODate).toStdString();
    case TrackingUrl:
        return shipping::TrackingUrl(record.trackingNumber);
    }
    return {};
}

} // namespace

std::span<const ShippedFormat> ShippedFormats()
{
    return kFormats;
}

const ShippedFormat* FindShippedFormat(std::string_view name)
{
    const auto found = std::find_if(kFormats.begin(), kFormats.end(),
                                    [name](const ShippedFormat& format) { return format.name == name; });
    return found == kFormats.end() ? nullptr : &*found;
}

std::string RenderShippedFile(const ShippedFormat& format, std::span<const journal::ShipmentRecord> records,
                              const CarrierValues& carrier)
{
    std::string text;
    text.reserve(records.size() * 64 + 256);
    for (const std::vector<std::string_view>& row : format.headRows) {
        appendLine(text, row, format.separator);
    }
    std::vector<std::string> cells(format.columns.size());
    for (const journal::ShipmentRecord& record : records) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i] = cellOf(format.columns[i], record, carrier);
        }
        appendLine(text, cells, format.separator);
    }
    return format.cp932 ? cp932::FromUtf8(text) : text;
}

} // namespace shipping
