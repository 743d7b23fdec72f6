// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// The two conversions between the chart dictionary (the editor's form) and
// the core's chart record: convertChart before the BiaB writer and the
// accompaniment, dictionaryFromCoreChart after the chart readers.
#pragma once

#include "bridge/plist.h"
#include "core/registry/value.h"

namespace zub {

// The core chart of a chart dictionary: chorus end 2147483647 becomes the
// number of bars, chords sounding across a bar line are named again in each
// bar, display accidentals become "#" and "b", text becomes ISO Latin 1
// (Bridge_exception "CoreStringFromNSString", "Cannot convert to Latin 1").
Value convertChart(const Plist& chart);

// The bars alone, as the analysis takes them: a list of lists of (chord, beats).
Value convertChords(const Plist::Array& bars);

// The chart dictionary of a core chart, with every key slot empty and the
// given font description. Bridge_exception ("convertBar", "Not a list node")
// and the like for a value of the wrong shape; ("convertBar", "Empty bar in chart")
// for a bar without chords.
Plist dictionaryFromCoreChart(const Value& chart, const Plist& font);

}  // namespace zub
