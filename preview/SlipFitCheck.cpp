#include "preview/SlipFitCheck.h"

#include "platform/Canvas.h"
#include "slipprint/SlipDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <cmath>

namespace preview {
namespace {

// Fine enough that rounding to device pixels does not show in tenths of a millimetre.
constexpr int kMeasuringDpi = 720;
constexpr double kMetersPerInch = 0.0254;

// Records each text's box; the font is chosen as the painter canvas chooses it.
class MeasuringCanvas : public Canvas
{
public:
    MeasuringCanvas() : m_device(1, 1, QImage::Format_RGB32)
    {
        const int perMeter = static_cast<int>(std::lround(kMeasuringDpi / kMetersPerInch));
        m_device.setDotsPerMeterX(perMeter);
        m_device.setDotsPerMeterY(perMeter);
        m_font.setStyleStrategy(QFont::PreferDefault);
    }

    void setFontName(const std::string& name) override { m_font.setFamily(QString::fromStdString(name)); }
    void setFontSize(int points) override { m_font.setPointSize(points); }
    void setFontColor(std::uint32_t /*rgb*/) override {}
    void setBrushColor(std::uint32_t /*rgb*/) override {}
    void lineOut(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) override {}

    void textOut(int x, int y, const std::string& text) override
    {
        const QString string = QString::fromStdString(text);
        if (string.trimmed().isEmpty()) {
            return;
        }
        const QFontMetricsF metrics(m_font, &m_device);
        const double pointsPerPixel = 72.0 / kMeasuringDpi;
        // The ink from the baseline, which lies an ascent below the cell's top.
        const QRectF ink = metrics.tightBoundingRect(string).translated(0, metrics.ascent());
        m_texts.push_back({x, y, metrics.horizontalAdvance(string) * pointsPerPixel, metrics.height() * pointsPerPixel,
                           ink.left() * pointsPerPixel, ink.top() * pointsPerPixel, ink.width() * pointsPerPixel,
                           ink.height() * pointsPerPixel});
    }

    const std::vector<DrawnText>& texts() const { return m_texts; }

private:
    QImage m_device;
    QFont m_font;
    std::vector<DrawnText> m_texts;
};

} // namespace

std::vector<DrawnText> MeasureSlip(const Slip& slip, const SlipPrintState& state)
{
    MeasuringCanvas canvas;
    DrawSlip(slip, state, canvas);
    return canvas.texts();
}

std::vector<FitProblem> CheckSlipFit(const Slip& slip, const SlipPrintState& state, const PageGeometry& page)
{
    // A printer without a resolution draws nothing; the job reports it.
    if (state.dpiX <= 0 || state.dpiY <= 0) {
        return {};
    }
    return FitProblems(MeasureSlip(slip, state), state, page);
}

} // namespace preview
