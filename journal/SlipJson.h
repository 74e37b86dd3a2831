#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <QJsonObject>

// A slip and its print state as one JSON object. The recipient keys are those of
// `mivo-kangaroo import` (zip, address1, address2, name, tel); a key that is missing or of the
// wrong kind reads as the field's default, so a damaged record still loads.
namespace journal {

QJsonObject SlipToJson(const Slip& slip, const SlipPrintState& state);
Slip SlipFromJson(const QJsonObject& json);
SlipPrintState PrintStateFromJson(const QJsonObject& json);

} // namespace journal
