#include "escp/PrinterFontSize.h"

#include "escp/EscpCommands.h"

#include <algorithm>
#include <cmath>

namespace escp {
namespace {

constexpr int kKanjiDots = 24;
constexpr int kMaxKanjiSpace = 24;
constexpr int kPitches[] = {12, 15, 18};

} // namespace

int PrinterFontSize::cellHeight() const
{
    return kKanjiDots * scale();
}

int PrinterFontSize::kanjiAdvance() const
{
    return (kKanjiDots + kanjiRightSpace) * scale();
}

PrinterFontSize NearestPrinterFontSize(int points)
{
    const double em = points * static_cast<double>(kDotsPerInch) / 72.0;
    PrinterFontSize size;
    size.doubled = std::abs(em - 2 * kKanjiDots) < std::abs(em - kKanjiDots);
    const double perScale = em / size.scale();
    size.kanjiRightSpace = std::clamp(static_cast<int>(std::lround(perScale - kKanjiDots)), 0, kMaxKanjiSpace);
    const double halfEm = perScale / 2;
    size.singleBytePitch = *std::min_element(std::begin(kPitches), std::end(kPitches), [halfEm](int a, int b) {
        return std::abs(a - halfEm) < std::abs(b - halfEm);
    });
    return size;
}

} // namespace escp
