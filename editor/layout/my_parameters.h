// The parameters table: the numbers, colours, fonts and texts that shape the
// editor's drawing, kept in the property-list resource MyParameters.plist and
// read once on first use. Needs no display, so layout tests can use it.
#pragma once

#include <string>

#include "bridge/plist.h"

namespace zub {

// A calibrated RGB colour with alpha, each component in 0..1.
struct ParameterColor {
    double red;
    double green;
    double blue;
    double alpha;
};

class MyParameters {
public:
    // The shared table from the resource directory; "Cannot read resource: <path>"
    // when the file is missing, or the property-list reading failures.
    static const MyParameters& shared();

    // from_plist(dictionary) -> a table; "Expected dictionary, found array" otherwise.
    static MyParameters from_plist(Plist table);

    // floatForKey("ChordFontMetricXInsetCharWidthRatio") -> 2.0; "Missing key: ...",
    // "Wrong type for key ...: expected real, found string".
    double floatForKey(std::string_view key) const;
    // stringForKey("ChordFontSampleText") -> "C7 Dm7b5"; failures as above.
    const std::string& stringForKey(std::string_view key) const;
    // colorForKey("CursorFocusRingStrokeColor") -> {Red, Green, Blue, Alpha}; failures as above.
    ParameterColor colorForKey(std::string_view key) const;
    // fontForKey("AnalysisRomanFont") -> the font description {FontName, PointSize}.
    const Plist& fontForKey(std::string_view key) const;

private:
    explicit MyParameters(Plist table) : table_(std::move(table)) {}
    Plist table_;
};

}  // namespace zub
