#include "batch/HeaderGuess.h"

#include "platform/Cp932.h"
#include "textimport/HalfWidth.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace batch {
namespace {

struct FieldNames
{
    Field field;
    std::vector<std::string> names;
};

std::string normalized(const std::string& header);

// The names as normalized() leaves them, so that both sides compare alike.
const std::vector<FieldNames>& fieldNames()
{
    static const std::vector<FieldNames> names = [] {
        std::vector<FieldNames> list = {
            {Field::Order, {"注文番号", "受注番号", "注文id", "注文no", "オーダー番号", "order", "orderid"}},
            {Field::Zip, {"郵便番号", "〒", "郵便", "zip", "zipcode", "postalcode"}},
            {Field::Prefecture, {"都道府県", "県"}},
            {Field::City, {"市区町村", "市区郡"}},
            {Field::Address1, {"住所", "住所1", "番地", "町名番地", "住所(番地)", "address", "address1"}},
            {Field::Address2, {"住所2", "建物", "建物名", "マンション名", "ビル名", "建物名・部屋番号", "address2"}},
            {Field::Name, {"氏名", "お名前", "名前", "宛名", "お客様名", "氏名(漢字)", "名前(漢字)", "name"}},
            {Field::FamilyName, {"姓"}},
            {Field::GivenName, {"名"}},
            {Field::Tel, {"電話", "電話番号", "tel", "電話番号1", "携帯", "携帯電話", "携帯番号", "phone"}},
            {Field::Item, {"品名", "商品名", "品物", "商品", "品目", "item"}},
            {Field::Quantity, {"数量", "個数", "数", "qty", "quantity"}},
        };
        for (FieldNames& entry : list) {
            std::transform(entry.names.begin(), entry.names.end(), entry.names.begin(), normalized);
        }
        return list;
    }();
    return names;
}

// Words before a field's name that say it is the recipient's, not the buyer's.
constexpr std::array<std::string_view, 7> kDestinationPrefixes = {"お届け先", "届け先", "送付先", "配送先",
                                                                  "送り先",   "宛先",   "受取人"};

// Half width, lower case, no blanks or underscores, no destination prefix.
std::string normalized(const std::string& header)
{
    // Full-width letters, digits and brackets become ASCII; kana stay as they are.
    std::string text = cp932::ToUtf8(textimport::ToHalfWidth(cp932::FromUtf8(header)));
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    std::erase(text, '_');
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    for (std::string_view prefix : kDestinationPrefixes) {
        if (text.starts_with(prefix) && text.size() > prefix.size()) {
            const std::string rest = text.substr(prefix.size());
            // "お届け先名" is the whole name, not the given name.
            return rest == "名" ? std::string("氏名") : rest;
        }
    }
    return text;
}

} // namespace

ColumnMap GuessColumns(const std::vector<std::string>& header)
{
    ColumnMap map;
    std::vector<bool> taken(header.size(), false);
    for (const FieldNames& entry : fieldNames()) {
        for (std::size_t column = 0; column < header.size(); ++column) {
            const std::string name = normalized(header[column]);
            const bool matches = std::find(entry.names.begin(), entry.names.end(), name) != entry.names.end();
            if (!taken[column] && matches) {
                map[static_cast<std::size_t>(entry.field)] = column;
                taken[column] = true;
                break;
            }
        }
    }
    return map;
}

} // namespace batch
