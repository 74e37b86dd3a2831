#include "journal/SlipJson.h"

#include <QDate>

#include <string>
#include <utility>

namespace journal {
namespace {

using TextField = std::string SlipFields::*;
using FlagField = bool SlipFields::*;

const std::pair<const char*, TextField> kTexts[] = {
    {"zip", &SlipFields::zip},
    {"address1", &SlipFields::address1},
    {"address2", &SlipFields::address2},
    {"name", &SlipFields::name},
    {"tel", &SlipFields::tel},
    {"goods1", &SlipFields::goods1},
    {"goods2", &SlipFields::goods2},
    {"goods3", &SlipFields::goods3},
    {"pieceCount", &SlipFields::pieceCount},
    {"deliveryMonth", &SlipFields::deliveryMonth},
    {"deliveryDay", &SlipFields::deliveryDay},
    {"senderZip", &SlipFields::senderZip},
    {"senderAddress1", &SlipFields::senderAddress1},
    {"senderAddress2", &SlipFields::senderAddress2},
    {"senderName", &SlipFields::senderName},
    {"senderTel", &SlipFields::senderTel},
    {"dpix", &SlipFields::dpix},
    {"dpiy", &SlipFields::dpiy},
    {"prnTop", &SlipFields::prnTop},
    {"prnLeft", &SlipFields::prnLeft},
};

const std::pair<const char*, FlagField> kFlags[] = {
    {"time9", &SlipFields::time9},
    {"time10", &SlipFields::time10},
    {"timeMorning", &SlipFields::timeMorning},
    {"printDate", &SlipFields::printDate},
    {"printSender", &SlipFields::printSender},
};

} // namespace

QJsonObject SlipToJson(const SlipFields& slip)
{
    QJsonObject json;
    for (const auto& [key, field] : kTexts) {
        json.insert(QLatin1String(key), QString::fromStdString(slip.*field));
    }
    for (const auto& [key, field] : kFlags) {
        json.insert(QLatin1String(key), slip.*field);
    }
    json.insert(QLatin1String("slipDate"), QDate(slip.slipYear, slip.slipMonth, slip.slipDay).toString(Qt::ISODate));
    return json;
}

SlipFields SlipFromJson(const QJsonObject& json)
{
    SlipFields slip;
    for (const auto& [key, field] : kTexts) {
        slip.*field = json.value(QLatin1String(key)).toString().toStdString();
    }
    for (const auto& [key, field] : kFlags) {
        slip.*field = json.value(QLatin1String(key)).toBool(slip.*field);
    }
    const QDate date = QDate::fromString(json.value(QLatin1String("slipDate")).toString(), Qt::ISODate);
    if (date.isValid()) {
        slip.slipYear = date.year();
        slip.slipMonth = date.month();
        slip.slipDay = date.day();
    }
    return slip;
}

} // namespace journal
