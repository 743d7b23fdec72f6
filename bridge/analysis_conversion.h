// The analysis through the bridge: key centers found by the core, and the
// core's annotation under key centers turned into the dictionaries the chart
// view draws: per result slot an annotation {"Chord", "Roman"}, an arrow
// {"Type", "Destination"}, a key {"Change", "Key"} and a bracket {"Type", "Destination"}.
// The conversions of the core's values sit in bridge/internal/analysis_values.h.
#pragma once

#include <string>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// "Kov.partition" on the bars as written: ({Key "Gm", Beats 32}, ...). "N.C." slots hold the
// chord before (the first chord, before any), so key centers run across them.
Plist kov_partition(const Plist::Array& bars);
// "Kov.annotate" on the bars under a key-center list: {"Annotations", "Arrows", "Keys", "Brackets"}.
Plist kov_annotate(const Plist::Array& bars, const Plist::Array& key_centers);

// The annotation with the core's per-slot bar-line flags, for callers that
// lay the result slots out bar by bar themselves.
struct Annotated_chart {
    Plist analysis;              // as kov_annotate returns it
    std::vector<bool> barlines;  // one per result slot: true where a bar begins
};
Annotated_chart kov_annotate_with_barlines(const Plist::Array& bars, const Plist::Array& key_centers);

// The canonical form of a display chord name: "C7\u266F5" -> "C7+"; "" stays "", "N.C." gives "".
std::string standardize_chord_name(const std::string& display_name);
// "bVII7" -> "\u266DVII7", "subV7/bII" -> "subV7/\u266DII": the b of "sub" stays a letter.
std::string preprocessRomanDisplayString(const std::string& roman);
// Copies of the bars with every key slot set to key.
Plist::Array barsWithNewKeyCenter(const Plist::Array& bars, const std::string& key);

}  // namespace zub
