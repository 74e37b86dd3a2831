#include "journal/SlipJson.h"

#include <QDate>

#include <cmath>

#include <string>

namespace journal {
namespace {

// The stored keys of the slip's texts and flags; const or not, so that writing and reading
// walk the same list.
template <typename SlipT, typename Visit> void slipTexts(SlipT& slip, Visit visit)
{
    visit("zip", slip.recipient.zip);
    visit("address1", slip.recipient.address1);
    visit("address2", slip.recipient.address2);
    visit("name", slip.recipient.name);
    visit("tel", slip.recipient.tel);
    visit("goods1", slip.goods[0]);
    visit("goods2", slip.goods[1]);
    visit("goods3", slip.goods[2]);
    visit("pieceCount", slip.pieceCount);
    visit("deliveryMonth", slip.deliveryMonth);
    visit("deliveryDay", slip.deliveryDay);
    visit("senderZip", slip.sender.zip);
    visit("senderAddress1", slip.sender.address1);
    visit("senderAddress2", slip.sender.address2);
    visit("senderName", slip.sender.name);
    visit("senderTel", slip.sender.tel);
}

template <typename SlipT, typename Visit> void slipFlags(SlipT& slip, Visit visit)
{
    visit("time9", slip.time9);
    visit("time10", slip.time10);
    visit("timeMorning", slip.timeMorning);
    visit("printDate", slip.printDate);
    visit("printSender", slip.printSender);
}

// Stored as decimal texts, as entries have always held them.
template <typename StateT, typename Visit> void stateNumbers(StateT& state, Visit visit)
{
    visit("dpix", state.dpiX);
    visit("dpiy", state.dpiY);
    visit("prnTop", state.top);
    visit("prnLeft", state.left);
}

// Entries of older versions may hold a margin with decimals (the nearest dot was printed) or
// an empty text (0).
int dotsFromText(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e9) {
        return 0;
    }
    return static_cast<int>(std::lround(value));
}

} // namespace

QJsonObject SlipToJson(const Slip& slip, const SlipPrintState& state)
{
    QJsonObject json;
    const auto putText = [&](const char* key, const std::string& text) {
        json.insert(QLatin1String(key), QString::fromStdString(text));
    };
    slipTexts(slip, putText);
    stateNumbers(state, [&](const char* key, int number) { putText(key, std::to_string(number)); });
    slipFlags(slip, [&](const char* key, bool flag) { json.insert(QLatin1String(key), flag); });
    json.insert(QLatin1String("slipDate"), QDate(slip.slipYear, slip.slipMonth, slip.slipDay).toString(Qt::ISODate));
    return json;
}

Slip SlipFromJson(const QJsonObject& json)
{
    Slip slip;
    slipTexts(slip, [&](const char* key, std::string& text) {
        text = json.value(QLatin1String(key)).toString().toStdString();
    });
    slipFlags(slip, [&](const char* key, bool& flag) { flag = json.value(QLatin1String(key)).toBool(flag); });
    const QDate date = QDate::fromString(json.value(QLatin1String("slipDate")).toString(), Qt::ISODate);
    if (date.isValid()) {
        slip.slipYear = date.year();
        slip.slipMonth = date.month();
        slip.slipDay = date.day();
    }
    return slip;
}

SlipPrintState PrintStateFromJson(const QJsonObject& json)
{
    SlipPrintState state;
    stateNumbers(
        state, [&](const char* key, int& number) { number = dotsFromText(json.value(QLatin1String(key)).toString()); });
    return state;
}

} // namespace journal
