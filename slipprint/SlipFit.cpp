#include "slipprint/SlipFit.h"

#include "slipprint/SlipFormOutline.h"
#include "slipprint/SlipGeometry.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72;
// Below this the warning would read "0.0 mm".
constexpr double kVisibleMillimetres = 0.1;

struct Rect
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

Rect boxOnPaper(const slipform::Box& box, const SlipPrintState& state, const PageGeometry& page)
{
    // The form does not move with the margins: its boxes lie where the texts land without them.
    const slipgeometry::DeviceMapping form = slipgeometry::MakeDeviceMapping({state.dpiX, state.dpiY, 0, 0});
    return {page.paperXPt(form.deviceX(box.x)), page.paperYPt(form.deviceY(box.y)),
            page.paperXPt(form.deviceX(box.x + box.width)), page.paperYPt(form.deviceY(box.y + box.height))};
}

const slipform::Box* ownBox(const DrawnText& text, const slipgeometry::DeviceMapping& mapping)
{
    for (const slipform::Box& box : slipform::Boxes()) {
        if (mapping.deviceX(box.textX) == text.x && mapping.deviceY(box.textY) == text.y) {
            return &box;
        }
    }
    return nullptr;
}

double beyondArea(const Rect& text, const PageGeometry& page)
{
    const double right = page.printableLeftPt + page.printableWidthPt;
    const double bottom = page.printableTopPt + page.printableHeightPt;
    return std::max({page.printableLeftPt - text.left, page.printableTopPt - text.top, text.right - right,
                     text.bottom - bottom, 0.0});
}

Rect overlap(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool contains(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// How far the ink would have to move to clear the box; nothing where the box shares the
// overlap with the text's own box, as neighbouring boxes of the form do.
double intoBox(const Rect& ink, const Rect& box, const Rect& own)
{
    const Rect shared = overlap(ink, box);
    if (shared.right <= shared.left || shared.bottom <= shared.top || contains(own, shared)) {
        return 0;
    }
    return std::min(shared.right - shared.left, shared.bottom - shared.top);
}

// The box the ink runs deepest into: named by its part of the form when that is another part.
std::optional<std::pair<std::string, double>> deepestOther(const Rect& ink, const slipform::Box& own,
                                                           const SlipPrintState& state, const PageGeometry& page)
{
    const Rect ownRect = boxOnPaper(own, state, page);
    // Only the run across counts: how high a row sits is the margins' business, and the form's
    // rows touch where a large mark reaches into the next.
    const Rect run{ink.left, std::max(ink.top, ownRect.top), ink.right, std::min(ink.bottom, ownRect.bottom)};
    std::optional<std::pair<std::string, double>> deepest;
    for (const slipform::Box& box : slipform::Boxes()) {
        const double depth = &box == &own ? 0 : intoBox(run, boxOnPaper(box, state, page), ownRect);
        if (depth > 0 && (!deepest || depth > deepest->second)) {
            deepest = {box.section == own.section ? box.field : box.section, depth};
        }
    }
    return deepest;
}

} // namespace

std::vector<FitProblem> FitProblems(const std::vector<DrawnText>& texts, const SlipPrintState& state,
                                    const PageGeometry& page)
{
    // A printer layer that cannot tell its paper leaves the area unknown.
    const bool areaKnown = page.printableWidthPt > 0 && page.printableHeightPt > 0;
    const slipgeometry::DeviceMapping mapping = slipgeometry::MakeDeviceMapping(state);
    std::vector<FitProblem> problems;
    for (const DrawnText& drawn : texts) {
        const slipform::Box* own = ownBox(drawn, mapping);
        if (!own || drawn.widthPt <= 0) {
            continue;
        }
        const double left = page.paperXPt(drawn.x);
        const double top = page.paperYPt(drawn.y);
        const Rect cell{left, top, left + drawn.widthPt, top + drawn.heightPt};
        const Rect ink{left + drawn.inkLeftPt, top + drawn.inkTopPt, left + drawn.inkLeftPt + drawn.inkWidthPt,
                       top + drawn.inkTopPt + drawn.inkHeightPt};
        const auto report = [&](const std::string& into, double pt) {
            if (pt * kMillimetresPerPoint >= kVisibleMillimetres) {
                problems.push_back(
                    {own->field, into, pt * kMillimetresPerPoint, left, top, drawn.widthPt, drawn.heightPt});
            }
        };
        if (areaKnown) {
            report({}, beyondArea(cell, page));
        }
        if (const auto other = deepestOther(ink, *own, state, page)) {
            report(other->first, other->second);
        }
    }
    return problems;
}

std::string FitWarning(const FitProblem& problem)
{
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.1f mm", problem.millimetres);
    if (problem.into.empty()) {
        return problem.field + " が印字範囲から " + distance + " はみ出します";
    }
    return problem.field + " が " + problem.into + " の欄に " + distance + " かかります";
}

std::string AreaShortfall(const PageGeometry& page)
{
    const std::pair<const char*, double> sides[] = {
        {"上", page.printableTopPt},
        {"下", page.paperHeightPt - page.printableTopPt - page.printableHeightPt},
        {"左", page.printableLeftPt},
        {"右", page.paperWidthPt - page.printableLeftPt - page.printableWidthPt},
    };
    std::string parts;
    for (const auto& [side, pt] : sides) {
        if (pt * kMillimetresPerPoint >= kVisibleMillimetres) {
            char part[48];
            std::snprintf(part, sizeof part, "%s%s %.1f mm", parts.empty() ? "" : "・", side,
                          pt * kMillimetresPerPoint);
            parts += part;
        }
    }
    if (parts.empty()) {
        return {};
    }
    return "プリンタの印字範囲は用紙より狭く、" + parts + " が印字されません";
}
