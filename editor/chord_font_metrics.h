// The sizes the chart layout derives from the chord font: each a parameter
// of the parameters table times the font's character width or height (or a
// plain number of points), computed once per font.
#pragma once

#include <map>
#include <string>

namespace zub {

// The parameters table: key -> number ("ChordFontMetricXInsetCharWidthRatio" -> 4.0).
using Parameters = std::map<std::string, double, std::less<>>;

struct ChordFontMetrics {
    float charWidth = 0, charHeight = 0;
    float chordOffset = 0, chordMinWidth = 0, chordMinLayoutWidth = 0;
    float chordHorizontalPadding = 0, chordVerticalPadding = 0, chordHorizontalSpacing = 0;
    float notationHeight = 0, slashOffset = 0, slashWidth = 0, slashHeight = 0;
    float romanHeight = 0, romanChordSpacing = 0, analysisHeight = 0;
    float chordNotationSpacing = 0, notationChordSpacing = 0;
    float xInset = 0, yInset = 0, lineHeight = 0;
    float analysisArrowStartHorizontalAdjustment = 0, analysisArrowStartVerticalAdjustment = 0;

    // Throws zub::Failure "Missing parameter: KEY" for a key the table lacks.
    static ChordFontMetrics make(float charWidth, float charHeight, const Parameters& parameters);
};

// The parameters table of the resource folder (MyParameters.plist), read once.
// zub::Failure "Cannot read resource: PATH" when it is missing.
const Parameters& shared_parameters();

}  // namespace zub
