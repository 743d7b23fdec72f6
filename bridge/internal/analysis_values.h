// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// The core's analysis values turned into the dictionaries of the analysis
// (see bridge/analysis_conversion.h), one result slot at a time.
#pragma once

#include <vector>

#include "bridge/plist.h"
#include "core/registry/value.h"

namespace zub {

// "Kov.annotate" on the bars under a key-center list: the core's five-field result.
Value kov_annotate_result(const Plist::Array& bars, const Plist::Array& key_centers);
// Its dictionary {"Annotations", "Arrows", "Keys", "Brackets"}, and its per-slot bar-line flags.
Plist analysisDictionary(const Value& result);
std::vector<bool> analysisBarlines(const Value& result);

// The conversions of one result slot. Bridge_exception ("convertArrow",
// "Unknown constructor variant") and the like for a kind outside the tables.
Plist convertAnnotation(const Value& annotation);
Plist convertArrow(const Value& arrow);
Plist convertKey(const Value& key);
Plist convertBracket(const Value& bracket);

}  // namespace zub
