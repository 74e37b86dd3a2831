#pragma once

#include "slipprint/SlipFields.h"

#include <QJsonObject>

// A slip's fields as a JSON object. The recipient keys are those of `mivo-kangaroo import`
// (zip, address1, address2, name, tel); a key that is missing or of the wrong kind reads as
// the field's default, so a damaged record still loads.
namespace journal {

QJsonObject SlipToJson(const SlipFields& slip);
SlipFields SlipFromJson(const QJsonObject& json);

} // namespace journal
