#include "batch/OrderFormat.h"

#include <algorithm>

namespace batch {
namespace {

constexpr std::array<std::string_view, kFieldCount> kFieldKeys = {
    "order", "destination", "zip",   "zip2", "prefecture", "city", "address1", "address2", "address3",
    "name",  "family",      "given", "tel",  "tel2",       "tel3", "item",     "quantity",
};

// The platforms' own header names. Where a platform has renamed a column over the years,
// every name it has used is listed.
std::vector<OrderFormat> makeFormats()
{
    using F = Field;
    return {
        {"rakuten",
         "楽天",
         ',',
         {{F::Order, {"受注番号", "注文番号"}, true},
          {F::Zip, {"送付先郵便番号1"}, true},
          {F::Zip2, {"送付先郵便番号2"}},
          {F::Prefecture, {"送付先住所都道府県"}, true},
          {F::City, {"送付先住所郡市区"}},
          {F::Address1, {"送付先住所それ以降の住所"}, true},
          {F::FamilyName, {"送付先名字", "送付先姓"}},
          {F::GivenName, {"送付先名前", "送付先名"}},
          {F::Tel, {"送付先電話番号1"}},
          {F::Tel2, {"送付先電話番号2"}},
          {F::Tel3, {"送付先電話番号3"}},
          {F::Item, {"商品名"}},
          {F::Quantity, {"個数"}}}},
        {"yahoo",
         "Yahoo!ショッピング",
         ',',
         {{F::Order, {"OrderId"}, true},
          {F::Name, {"ShipName"}},
          {F::FamilyName, {"ShipLastName"}},
          {F::GivenName, {"ShipFirstName"}},
          {F::Zip, {"ShipZipCode"}, true},
          {F::Prefecture, {"ShipPrefecture"}, true},
          {F::City, {"ShipCity"}},
          {F::Address1, {"ShipAddress1"}, true},
          {F::Address2, {"ShipAddress2"}},
          {F::Tel, {"ShipPhoneNumber"}},
          {F::Item, {"Title", "ItemName"}},
          {F::Quantity, {"Quantity", "QuantityDetail"}}}},
        {"amazon",
         "Amazon",
         '\t',
         {{F::Order, {"order-id"}, true},
          {F::Name, {"recipient-name"}, true},
          {F::Zip, {"ship-postal-code"}, true},
          {F::Prefecture, {"ship-state"}},
          {F::City, {"ship-city"}},
          {F::Address1, {"ship-address-1"}, true},
          {F::Address2, {"ship-address-2"}},
          {F::Address3, {"ship-address-3"}},
          {F::Tel, {"ship-phone-number"}},
          {F::Item, {"product-name"}},
          {F::Quantity, {"quantity-purchased"}}}},
        {"base",
         "BASE",
         ',',
         {{F::Order, {"注文ID"}, true},
          {F::FamilyName, {"氏(配送先)"}, true},
          {F::GivenName, {"名(配送先)"}},
          {F::Zip, {"郵便番号(配送先)"}, true},
          {F::Prefecture, {"都道府県(配送先)"}},
          {F::Address1, {"住所(配送先)"}, true},
          {F::Address2, {"住所2(配送先)"}},
          {F::Tel, {"電話番号(配送先)"}},
          {F::Item, {"商品名"}},
          {F::Quantity, {"数量"}}}},
        {"stores",
         "STORES",
         ',',
         {{F::Order, {"オーダー番号"}, true},
          {F::FamilyName, {"氏(配送先)"}, true},
          {F::GivenName, {"名(配送先)"}},
          {F::Zip, {"郵便番号(配送先)"}, true},
          {F::Prefecture, {"都道府県(配送先)"}},
          {F::Address1, {"住所(配送先)"}, true},
          {F::Tel, {"電話番号(配送先)"}},
          {F::Item, {"アイテム名"}},
          {F::Quantity, {"個数"}}}},
        {"colorme",
         "カラーミー",
         ',',
         {{F::Order, {"売上ID"}, true},
          {F::Destination, {"配送先ID"}},
          {F::Name, {"配送先 名前"}, true},
          {F::Zip, {"配送先 郵便番号"}, true},
          {F::Prefecture, {"配送先 都道府県名"}},
          {F::Address1, {"配送先 住所"}, true},
          {F::Tel, {"配送先 電話番号"}},
          {F::Item, {"購入商品 商品名"}},
          {F::Quantity, {"購入商品 販売個数"}}}},
        {"shopify",
         "Shopify",
         ',',
         {{F::Order, {"Name"}, true},
          {F::Name, {"Shipping Name"}, true},
          {F::Zip, {"Shipping Zip"}, true},
          {F::Prefecture, {"Shipping Province Name", "Shipping Province"}},
          {F::City, {"Shipping City"}},
          {F::Address1, {"Shipping Address1"}, true},
          {F::Address2, {"Shipping Address2"}},
          {F::Tel, {"Shipping Phone"}},
          {F::Item, {"Lineitem name"}},
          {F::Quantity, {"Lineitem quantity"}}}},
    };
}

// Header cells as spreadsheets leave them: blanks around the name.
std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::size_t> findHeader(const std::vector<std::string>& header, std::string_view name)
{
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimmed(header[i]) == name) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view FieldKey(Field field)
{
    return kFieldKeys[static_cast<std::size_t>(field)];
}

std::optional<Field> FieldFromKey(std::string_view key)
{
    const auto found = std::find(kFieldKeys.begin(), kFieldKeys.end(), key);
    if (found == kFieldKeys.end()) {
        return std::nullopt;
    }
    return static_cast<Field>(found - kFieldKeys.begin());
}

const std::vector<OrderFormat>& KnownFormats()
{
    static const std::vector<OrderFormat> formats = makeFormats();
    return formats;
}

const OrderFormat* FindFormat(std::string_view name)
{
    for (const OrderFormat& format : KnownFormats()) {
        if (format.id == name || format.label == name) {
            return &format;
        }
    }
    return nullptr;
}

std::optional<ColumnMap> ResolveColumns(const OrderFormat& format, const std::vector<std::string>& header)
{
    ColumnMap map;
    for (const ColumnRule& rule : format.columns) {
        for (std::string_view name : rule.headers) {
            if (const auto column = findHeader(header, name)) {
                map[static_cast<std::size_t>(rule.field)] = column;
                break;
            }
        }
        if (rule.required && !map[static_cast<std::size_t>(rule.field)]) {
            return std::nullopt;
        }
    }
    return map;
}

} // namespace batch
