#include "slipprint/CalibrationPattern.h"

#include "platform/Canvas.h"
#include "slipprint/SlipGeometry.h"

#include <string>

namespace {

const std::string kLucida = "Lucida Sans Unicode";
const std::string kGothic = "ＭＳ Ｐゴシック";
constexpr int kLabelPoints = 6;
constexpr int kNotePoints = 8;

// The scales' corner and extent in slip units: left of the leftmost item, below the last row.
constexpr int kScaleLeft = 150;
constexpr int kScaleTop = 0;
constexpr int kScaleBottom = 556;
constexpr int kScaleRight = 1130;

struct ReferencePoint
{
    int x;
    int y;
    const char* caption;
};

const ReferencePoint kReferences[] = {
    {180, 10, "お届け日"},
    {310, 66, "日付"},
    {240, 160, "品名"},
};

class Marks
{
public:
    Marks(Canvas& canvas, const slipgeometry::DeviceMapping& mapping, int dpix, int dpiy)
        : m_canvas(canvas), m_mapping(mapping), m_dpix(dpix), m_dpiy(dpiy)
    {}

    // Device dots of a length in tenths of a millimetre.
    int dotsX(int tenths) const { return round(tenths, m_dpix); }
    int dotsY(int tenths) const { return round(tenths, m_dpiy); }
    int x(int slipX) const { return m_mapping.deviceX(slipX); }
    int y(int slipY) const { return m_mapping.deviceY(slipY); }

    void line(int x1, int y1, int x2, int y2) { m_canvas.lineOut(x1, y1, x2, y2); }
    void text(int x, int y, const std::string& text, const std::string& font, int points)
    {
        m_canvas.setFontName(font);
        m_canvas.setFontSize(points);
        m_canvas.textOut(x, y, text);
    }

private:
    static int round(int tenths, int dpi)
    {
        return static_cast<int>(slipgeometry::RoundHalfAway(std::int64_t{tenths} * dpi, 254));
    }

    Canvas& m_canvas;
    const slipgeometry::DeviceMapping& m_mapping;
    int m_dpix;
    int m_dpiy;
};

// Tick length in tenths of a millimetre: longer every 5 and every 10 mm.
int tickTenths(int mm)
{
    return mm % 10 == 0 ? 30 : mm % 5 == 0 ? 20 : 10;
}

void drawCrossHairs(Marks& marks)
{
    const int armX = marks.dotsX(40);
    const int armY = marks.dotsY(40);
    for (const ReferencePoint& point : kReferences) {
        const int cx = marks.x(point.x);
        const int cy = marks.y(point.y);
        marks.line(cx - armX, cy, cx + armX, cy);
        marks.line(cx, cy - armY, cx, cy + armY);
        marks.text(cx + marks.dotsX(10), cy + marks.dotsY(10), point.caption, kGothic, kLabelPoints);
    }
}

// Down the left edge, ticks pointing left, the millimetres written right of the line.
void drawLeftScale(Marks& marks)
{
    const int x0 = marks.x(kScaleLeft);
    const int y0 = marks.y(kScaleTop);
    const int y1 = marks.y(kScaleBottom);
    marks.line(x0, y0, x0, y1);
    for (int mm = 0;; ++mm) {
        const int y = y0 + marks.dotsY(mm * 10);
        if (y > y1) {
            break;
        }
        marks.line(x0 - marks.dotsX(tickTenths(mm)), y, x0, y);
        if (mm % 10 == 0 && mm > 0) {
            marks.text(x0 + marks.dotsX(5), y, std::to_string(mm), kLucida, kLabelPoints);
        }
    }
}

// Along the bottom edge, ticks pointing up, the millimetres written above the ticks.
void drawBottomScale(Marks& marks)
{
    const int x0 = marks.x(kScaleLeft);
    const int x1 = marks.x(kScaleRight);
    const int y0 = marks.y(kScaleBottom);
    marks.line(x0, y0, x1, y0);
    for (int mm = 0;; ++mm) {
        const int x = x0 + marks.dotsX(mm * 10);
        if (x > x1) {
            break;
        }
        marks.line(x, y0 - marks.dotsY(tickTenths(mm)), x, y0);
        if (mm % 10 == 0 && mm > 0) {
            marks.text(x + marks.dotsX(5), y0 - marks.dotsY(55), std::to_string(mm), kLucida, kLabelPoints);
        }
    }
}

void drawMargins(Marks& marks, const SlipPrintState& state)
{
    marks.text(marks.x(kScaleLeft) + marks.dotsX(25), marks.y(290), "TOP " + std::to_string(state.top) + " ドット",
               kGothic, kNotePoints);
    marks.text(marks.x(800), marks.y(kScaleBottom) - marks.dotsY(110),
               "LEFT " + std::to_string(state.left) + " ドット  " + std::to_string(state.dpiX) + "×" +
                   std::to_string(state.dpiY) + " dpi",
               kGothic, kNotePoints);
}

} // namespace

void DrawCalibrationPattern(const SlipPrintState& state, Canvas& canvas)
{
    const slipgeometry::DeviceMapping mapping = slipgeometry::MakeDeviceMapping(state);
    canvas.setFontColor(0x000000);
    canvas.setBrushColor(0xFFFFFF);
    Marks marks(canvas, mapping, state.dpiX, state.dpiY);
    drawLeftScale(marks);
    drawBottomScale(marks);
    drawCrossHairs(marks);
    drawMargins(marks, state);
}
