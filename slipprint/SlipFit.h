#pragma once

#include "printers/PageGeometry.h"
#include "slipprint/SlipPrintState.h"

#include <string>
#include <vector>

// A text as the slip drawing put it: its top-left in printer dots, the cell the printer is
// asked to draw and the ink inside it, in points from that corner, as the printer's font
// draws it.
struct DrawnText
{
    int x = 0;
    int y = 0;
    double widthPt = 0;
    double heightPt = 0;
    double inkLeftPt = 0;
    double inkTopPt = 0;
    double inkWidthPt = 0;
    double inkHeightPt = 0;
};

// A text that will not land where the form wants it.
struct FitProblem
{
    // The form's name of the text's field.
    std::string field;
    // The field or part of the form it runs into; empty when it leaves the printable area.
    std::string into;
    double millimetres = 0;
    // The text's box on the paper, in points from the paper's corner.
    double leftPt = 0;
    double topPt = 0;
    double widthPt = 0;
    double heightPt = 0;

    bool operator==(const FitProblem&) const = default;
};

// Each text whose cell falls outside the page's printable area (a driver printing in bands
// drops the band that crosses its edge), or whose ink runs across into another field's box
// beyond its own, once per kind, by how far; nothing under a tenth of a millimetre, which no one
// could see. Throws std::invalid_argument for a state without a resolution.
std::vector<FitProblem> FitProblems(const std::vector<DrawnText>& texts, const SlipPrintState& state,
                                    const PageGeometry& page);

// 「おなまえ が印字範囲から 2.1 mm はみ出します」 (UTF-8).
std::string FitWarning(const FitProblem& problem);

// How much of the paper the printer cannot reach, side by side (UTF-8); empty when it reaches
// the whole paper.
std::string AreaShortfall(const PageGeometry& page);
