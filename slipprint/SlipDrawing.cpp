#include "slipprint/SlipDrawing.h"

#include "platform/Canvas.h"
#include "slipprint/SlipGeometry.h"

#include <cstdio>

namespace {

const std::string kLucida = "Lucida Sans Unicode";
const std::string kMincho = "ＭＳ Ｐ明朝";
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// The check boxes' mark on the form's guaranteed-time boxes.
const std::string kTimeMark = "○";

class SlipPen
{
public:
    SlipPen(Canvas& canvas, const slipgeometry::DeviceMapping& mapping) : m_canvas(canvas), m_mapping(mapping) {}

    void font(const std::string& name, int points)
    {
        m_canvas.setFontName(name);
        m_canvas.setFontSize(points);
    }

    void text(int slipX, int slipY, const std::string& text)
    {
        m_canvas.textOut(m_mapping.deviceX(slipX), m_mapping.deviceY(slipY), text);
    }

private:
    Canvas& m_canvas;
    const slipgeometry::DeviceMapping& m_mapping;
};

void drawDeliveryAndTime(SlipPen& pen, const SlipFields& fields)
{
    pen.font(kLucida, 12);
    pen.text(180, 10, fields.deliveryMonth);
    pen.text(250, 10, fields.deliveryDay);
    pen.font(kLucida, 26);
    if (fields.time9) {
        pen.text(450, 1, kTimeMark);
    } else if (fields.time10) {
        pen.text(600, 1, kTimeMark);
    } else if (fields.timeMorning) {
        pen.text(750, 1, kTimeMark);
    }
}

void drawSlipDate(SlipPen& pen, const SlipFields& fields)
{
    const std::string date = SlipDateText(fields.slipYear, fields.slipMonth, fields.slipDay);
    if (!fields.printDate) {
        return;
    }
    pen.font(kLucida, 9);
    pen.text(310, 66, date.substr(0, 4));
    pen.text(440, 66, date.substr(5, 2));
    pen.text(560, 66, date.substr(8, 2));
}

void drawGoodsAndRecipient(SlipPen& pen, const SlipFields& fields)
{
    pen.font(kMincho, 11);
    pen.text(240, 160, fields.goods1);
    pen.text(240, 200, fields.goods2);
    pen.text(240, 240, fields.goods3);
    pen.font(kLucida, 16);
    pen.text(290, 320, fields.tel);
    pen.font(kMincho, 11);
    pen.text(230, 375, fields.zip);
    pen.text(214, 430, fields.address1);
    pen.text(214, 480, fields.address2);
    pen.text(214, 535, fields.name);
}

void drawSenderAndCount(SlipPen& pen, const SlipFields& fields)
{
    if (!fields.printSender) {
        return;
    }
    pen.font(kLucida, 14);
    pen.text(720, 320, fields.senderTel);
    pen.font(kMincho, 11);
    pen.text(690, 375, fields.senderZip);
    pen.text(680, 430, fields.senderAddress1);
    pen.text(680, 480, fields.senderAddress2);
    pen.text(680, 535, fields.senderName);
    // One digit per box, so that the units always land in the rightmost one.
    const std::string count = slipgeometry::RightAlign3(fields.pieceCount);
    pen.font(kLucida, 11);
    pen.text(1078, 520, count.substr(0, 1));
    pen.text(1094, 520, count.substr(1, 1));
    pen.text(1110, 520, count.substr(2, 1));
}

} // namespace

std::string SlipDateText(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
    return text;
}

void DrawSlip(const SlipFields& fields, Canvas& canvas)
{
    const slipgeometry::DeviceMapping mapping =
        slipgeometry::MakeDeviceMapping(fields.dpix, fields.dpiy, fields.prnTop, fields.prnLeft);
    canvas.setFontColor(kBlack);
    canvas.setBrushColor(kWhite);
    SlipPen pen(canvas, mapping);
    drawDeliveryAndTime(pen, fields);
    drawSlipDate(pen, fields);
    drawGoodsAndRecipient(pen, fields);
    drawSenderAndCount(pen, fields);
}
