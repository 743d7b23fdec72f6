// The analysis through the bridge: key centers found by the core, and the
// core's annotation under key centers turned into the dictionaries the chart
// view draws: per result slot an annotation {"Chord", "Roman"}, an arrow
// {"Type", "Destination"}, a key {"Change", "Key"} and a bracket {"Type", "Destination"}.
#pragma once

#include <string>
#include <vector>

#include "bridge/plist.h"
#include "core/registry/value.h"

namespace zub {

// "Kov.partition" on the bars: ({Key "Gm", Beats 32}, ...).
Plist kov_partition(const Plist::Array& bars);
// "Kov.annotate" on the bars under a key-center list: {"Annotations", "Arrows", "Keys", "Brackets"}.
Plist kov_annotate(const Plist::Array& bars, const Plist::Array& key_centers);
// The same in two steps, for callers that also want the bar lines: the core's
// result, then its dictionary and its per-slot bar-line flags.
Value kov_annotate_result(const Plist::Array& bars, const Plist::Array& key_centers);
Plist analysisDictionary(const Value& result);
std::vector<bool> analysisBarlines(const Value& result);

// The conversions of one result slot. Bridge_exception ("convertArrow",
// "Unknown constructor variant") and the like for a kind outside the tables.
Plist convertAnnotation(const Value& annotation);
Plist convertArrow(const Value& arrow);
Plist convertKey(const Value& key);
Plist convertBracket(const Value& bracket);

// The canonical form of a display chord name: "C7\u266F5" -> "C7+"; "" stays "".
std::string standardize_chord_name(const std::string& display_name);
// "bVII7" -> "\u266DVII7", "subV7/bII" -> "subV7/\u266DII": the b of "sub" stays a letter.
std::string preprocessRomanDisplayString(const std::string& roman);
// Copies of the bars with every key slot set to key.
Plist::Array barsWithNewKeyCenter(const Plist::Array& bars, const std::string& key);

}  // namespace zub
