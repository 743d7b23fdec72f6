// The chart dictionary: the editor's property-list form of a chart, and what
// a chart document holds. Top-level keys "Name", "Style" {"Meter",
// "StyleType"}, "Key", "Tempo", "Chorus" {"Begin", "End", "Repeats"},
// "Chords" (bar dictionaries {"Chords", "SectionMark", "Keys"}, one slot per
// beat) and "Font" {"FontName", "PointSize"}, and optionally "Composer" (a
// string; charts without it are read and written as before) and "BarsPerLine"
// (2 to 8, the most bars a line of the chart holds; bridge/bar_marks.h). A bar may carry
// the optional form marks "RepeatStart", "RepeatEnd", "Endings", "Segno",
// "ToCoda", "Coda", "Fine", "Direction" and "Time", and a slot may hold "N.C."
// (bridge/internal/form_keys.h says what each holds; bridge/played_form.h how
// the chart is played). Chord symbols are stored with
// display sharps and flats. This module checks dictionaries read from files
// and holds the steps of the conversions that need no core value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// Chorus "End" meaning "through the last bar, however many there are".
inline constexpr std::int64_t chorus_end_of_chart = 2147483647;
// "SectionMark" of a bar without a section mark (the space character).
inline constexpr std::int64_t no_section_mark = 32;
// Meters above this are refused: every bar of the meter gets that many slots.
inline constexpr std::int64_t max_meter = 64;
// A bar from the core longer than this is refused rather than filled with empty slots.
inline constexpr std::int64_t max_bar_slots = 1024;

// checkChartDictionary(chart) returns normally for a complete chart
// dictionary; otherwise throws Bridge_exception whose reason names the place:
// "Missing key: Tempo", "Chorus: Wrong type for key End: expected integer, found string",
// "Bar 3: Keys has 3 slots, Chords has 4", "Bar 1: no slots",
// "Bar 2: Invalid section mark: 300", "Style: Invalid meter: 0", "Bar 4: Invalid repeat count: 1",
// "Bar 5: Time 5/4 needs 5 slots, Chords has 4", "Invalid bars per line: 9".
void checkChartDictionary(const Plist& chart);

// checkBar(bar, 3) - the bar part of the above, with "Bar 3: " in front of its messages.
void checkBar(const Plist& bar, std::size_t number);

// oneBlankBar(4) -> ({Chords ("", "", "", ""), Keys ("", "", "", ""), SectionMark 32}).
// "Invalid meter: 0" outside 1..max_meter.
Plist oneBlankBar(std::int64_t meter);

// fixChorusEnd(chart) -> chart, with Chorus/End set to the number of bars when it is 2147483647.
Plist fixChorusEnd(const Plist& chart);

// One chord entry of a bar on its way to the core: ASCII chord name and its slots.
struct ChordDurationPair {
    std::string chord;
    std::int64_t beats;
    bool operator==(const ChordDurationPair&) const = default;
};

// chordDurationPairsFromChords(bars [C - - -] [- - F#7 -]) -> [(C,4)] [(C,2) (F#7,2)]:
// a chord sounding across a bar line is named again in each bar; the chart may
// begin with the empty name. Names come back with ASCII "#" and "b".
std::vector<std::vector<ChordDurationPair>> chordDurationPairsFromChords(const Plist::Array& bars);

// One section of the chart on its way to the core: bar number from 1, mark character code.
struct BarSectionPair {
    std::int64_t bar;
    std::int64_t mark;
    bool operator==(const BarSectionPair&) const = default;
};

// barSectionPairsFromChords(bars with marks 65, 32, 66) -> [(1, 65) (3, 66)].
std::vector<BarSectionPair> barSectionPairsFromChords(const Plist::Array& bars);

// The slot array of one bar from its chord entries: [(C,2) (F,2)] -> ("C", "", "F", "")
// with display sharps and flats; a duration of 1 or less adds no empty slot.
// "Too many slots in a bar: 5000" above max_bar_slots.
Plist slotsFromChordDurationPairs(const std::vector<ChordDurationPair>& pairs);

}  // namespace zub
