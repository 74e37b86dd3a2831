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

void drawDeliveryAndTime(SlipPen& pen, const Slip& slip)
{
    pen.font(kLucida, 12);
    pen.text(180, 10, slip.deliveryMonth);
    pen.text(250, 10, slip.deliveryDay);
    pen.font(kLucida, 26);
    if (slip.time9) {
        pen.text(450, 1, kTimeMark);
    } else if (slip.time10) {
        pen.text(600, 1, kTimeMark);
    } else if (slip.timeMorning) {
        pen.text(750, 1, kTimeMark);
    }
}

void drawSlipDate(SlipPen& pen, const Slip& slip)
{
    const std::string date = SlipDateText(slip.slipYear, slip.slipMonth, slip.slipDay);
    if (!slip.printDate) {
        return;
    }
    pen.font(kLucida, 9);
    pen.text(310, 66, date.substr(0, 4));
    pen.text(440, 66, date.substr(5, 2));
    pen.text(560, 66, date.substr(8, 2));
}

void drawGoodsAndRecipient(SlipPen& pen, const Slip& slip)
{
    pen.font(kMincho, 11);
    pen.text(240, 160, slip.goods[0]);
    pen.text(240, 200, slip.goods[1]);
    pen.text(240, 240, slip.goods[2]);
    pen.font(kLucida, 16);
    pen.text(290, 320, slip.recipient.tel);
    pen.font(kMincho, 11);
    pen.text(230, 375, slip.recipient.zip);
    pen.text(214, 430, slip.recipient.address1);
    pen.text(214, 480, slip.recipient.address2);
    pen.text(214, 535, slip.recipient.name);
}

void drawSenderAndCount(SlipPen& pen, const Slip& slip)
{
    if (!slip.printSender) {
        return;
    }
    pen.font(kLucida, 14);
    pen.text(720, 320, slip.sender.tel);
    pen.font(kMincho, 11);
    pen.text(690, 375, slip.sender.zip);
    pen.text(680, 430, slip.sender.address1);
    pen.text(680, 480, slip.sender.address2);
    pen.text(680, 535, slip.sender.name);
    // One digit per box, so that the units always land in the rightmost one.
    const std::string count = slipgeometry::RightAlign3(slip.pieceCount);
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

void DrawSlip(const Slip& slip, const SlipPrintState& state, Canvas& canvas)
{
    const slipgeometry::DeviceMapping mapping = slipgeometry::MakeDeviceMapping(state);
    canvas.setFontColor(kBlack);
    canvas.setBrushColor(kWhite);
    SlipPen pen(canvas, mapping);
    drawDeliveryAndTime(pen, slip);
    drawSlipDate(pen, slip);
    drawGoodsAndRecipient(pen, slip);
    drawSenderAndCount(pen, slip);
}
