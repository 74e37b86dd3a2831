#include "batch/SlipBuilder.h"

#include "batch/AddressSplit.h"
#include "batch/Encoding.h"
#include "batch/Repairs.h"
#include "platform/Cp932.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"
#include "textimport/HalfWidth.h"

#include <algorithm>
#include <charconv>

namespace batch {
namespace {

std::string_view value(const RowValues& values, Field field)
{
    return values[static_cast<std::size_t>(field)];
}

std::string joined(std::string_view a, std::string_view b, std::string_view separator)
{
    if (a.empty() || b.empty()) {
        return std::string(a.empty() ? b : a);
    }
    std::string text;
    text.reserve(a.size() + separator.size() + b.size());
    return text.append(a).append(separator).append(b);
}

void keepFirstChars(std::string& text, std::size_t count)
{
    text.resize(utf8::firstChars(text, count).size());
}

std::string itemText(const OrderItem& item)
{
    const std::string quantity = widthfold::asciiForm(item.quantity);
    int count = 0;
    const auto [end, error] = std::from_chars(quantity.data(), quantity.data() + quantity.size(), count);
    constexpr std::size_t kCountRoom = 16; // " ×" and the digits
    std::string text;
    text.reserve(item.name.size() + kCountRoom);
    text.append(item.name);
    if (error == std::errc() && end == quantity.data() + quantity.size() && count > 1) {
        text.append(" ×").append(std::to_string(count));
    }
    return text;
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The window's half-width rule, over the code page 932 form.
std::string halfWidth(std::string text)
{
    if (isAscii(text)) {
        return text;
    }
    return cp932::ToUtf8(textimport::ToHalfWidth(cp932::FromUtf8(text)));
}

// A slip with a byte the file's encoding could not read may have lost any character; it is
// held back until the user has seen it.
constexpr std::string_view kUnreadableCharacters = "読めない文字があります";

class SlipText
{
public:
    explicit SlipText(BatchSlip& slip) : m_slip(slip) {}

    // The text as the form prints it; "〓" for what it cannot, with a warning naming the field.
    void set(std::string& field, std::string text, std::string_view label)
    {
        if (isAscii(text) || cp932::CanEncode(text)) {
            field = std::move(text);
            return;
        }
        if (text.find(kUndecodable) != std::string::npos && m_slip.blockedUnlessForced.empty()) {
            m_slip.blockedUnlessForced = kUnreadableCharacters;
            m_slip.warnings.emplace_back(kUnreadableCharacters);
        }
        field = cp932::ToUtf8(cp932::FromUtf8(text));
        m_slip.warnings.push_back("印字できない文字を〓にしました: " + std::string(label));
    }

private:
    BatchSlip& m_slip;
};

std::string telephone(const RowValues& values)
{
    std::string tel(value(values, Field::Tel));
    for (Field part : {Field::Tel2, Field::Tel3}) {
        tel = joined(tel, value(values, part), "-");
    }
    return RepairTel(tel);
}

// The repaired code, or the cells as they stand for the user to see and mend.
std::string postalCode(const RowValues& values)
{
    const std::string_view zip = value(values, Field::Zip);
    const std::string_view zip2 = value(values, Field::Zip2);
    return RepairZip(zip, zip2).value_or(joined(zip, zip2, "-"));
}

} // namespace

std::string MisshapenRowWarning(const MisshapenRow& row)
{
    return std::to_string(row.row) + "行目の列の数が見出しと違います（" + std::to_string(row.cells) + "列、見出しは" +
           std::to_string(row.headerCells) + "列）";
}

std::array<std::string, 3> GoodsLines(const std::vector<OrderItem>& items)
{
    std::array<std::string, 3> lines;
    for (std::size_t i = 0; i < lines.size() && i < items.size(); ++i) {
        lines[i] = itemText(items[i]);
        keepFirstChars(lines[i], kGoodsLineChars);
    }
    if (items.size() > lines.size()) {
        const std::string rest = "　他" + std::to_string(items.size() - lines.size()) + "点";
        const std::size_t room = kGoodsLineChars - utf8::length(rest);
        keepFirstChars(lines.back(), room);
        lines.back() += rest;
    }
    return lines;
}

BatchSlip BuildSlip(const OrderGroup& group)
{
    const RowValues& values = group.destination;
    BatchSlip slip;
    slip.order = value(values, Field::Order);
    slip.firstRow = group.firstRow;
    SlipText text(slip);

    text.set(slip.recipient.zip, halfWidth(postalCode(values)), "郵便番号");
    AddressLines lines =
        SplitAddress({value(values, Field::Prefecture), value(values, Field::City), value(values, Field::Address1),
                      joined(value(values, Field::Address2), value(values, Field::Address3), "　")});
    text.set(slip.recipient.address1, std::move(lines.line1), "おところ①");
    text.set(slip.recipient.address2, std::move(lines.line2), "おところ②");
    const std::string_view name = value(values, Field::Name);
    text.set(slip.recipient.name,
             name.empty() ? joined(value(values, Field::FamilyName), value(values, Field::GivenName), "　")
                          : std::string(name),
             "おなまえ");
    text.set(slip.recipient.tel, halfWidth(telephone(values)), "でんわ");
    std::array<std::string, 3> goods = GoodsLines(group.items);
    for (std::size_t i = 0; i < goods.size(); ++i) {
        text.set(slip.goods[i], std::move(goods[i]), "品名");
    }
    for (const MisshapenRow& row : group.misshapen) {
        slip.warnings.push_back(MisshapenRowWarning(row));
    }
    return slip;
}

} // namespace batch
