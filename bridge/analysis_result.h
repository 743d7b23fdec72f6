// The analysis of a chart as a small typed value, read once from the analysis
// dictionary ({"Annotations", "Arrows", "Keys", "Brackets"}, one entry per
// result slot each) so that the editor draws from kinds, not from strings.
// Chords and romans come in display form (display sharps and flats).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// The arrow of a result slot; passthru1 arches over a pass-through chord to
// where that chord's passthru2 arrow goes.
enum class ArrowKind { none, solid, dotted, passthru1, passthru2 };
enum class BracketKind { none, solid, dotted };

struct AnalysisAnnotation {
    std::string chord;  // "/" for a slot continuing the previous chord
    std::string roman;
    bool operator==(const AnalysisAnnotation&) const = default;
};

// A figure from its result slot to the result slot destination (none when the
// dictionary gives no integer, so it has nowhere to go).
template <typename Kind>
struct AnalysisFigure {
    Kind kind{};
    std::optional<std::int64_t> destination;
    bool operator==(const AnalysisFigure&) const = default;
};
using AnalysisArrow = AnalysisFigure<ArrowKind>;
using AnalysisBracket = AnalysisFigure<BracketKind>;

struct AnalysisResult {
    std::vector<AnalysisAnnotation> annotations;
    std::vector<AnalysisArrow> arrows;
    std::vector<std::string> keyChanges;  // the new key of a slot, "" where the key stays
    std::vector<AnalysisBracket> brackets;
    bool operator==(const AnalysisResult&) const = default;
};

// analysisResultOf({Annotations ({Chord "Bb7", Roman "bVII7"}), Arrows ({Type "Solid",
// Destination 1}), ...}) -> chord "B\u266D7", roman "\u266DVII7", a solid arrow to 1.
// The dictionary reading failures ("Missing key: Arrows"), and Bridge_exception
// ("analysisResultOf", "Unknown arrow type: Wavy") for a kind outside the tables.
AnalysisResult analysisResultOf(const Plist& analysis);

// annotateChart(bars, key centers) -> the core's annotation as a typed value
// ("Kov.annotate", with its failures).
AnalysisResult annotateChart(const Plist::Array& bars, const Plist::Array& keyCenters);

}  // namespace zub
