// Turning a chart into the three instrument tracks: the chorus repeats are
// unrolled into one chord sequence and one list of section marks, the drums,
// piano and bass generators of the chart's style run in that order (the order
// of their random draws), and their output is moved behind a two-bar count-in
// of claves. Bars are 4 beats long, 3 in a jazz waltz.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>
#include "core/charts/chart.h"
#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/style.h"

namespace zub::Gen {

struct Unrolled {
    Chord_seq chords;
    Sections sections;
    int bars = 0;
};

// The claves' bars before the chart's first bar.
inline constexpr int count_in_bars = 2;

// A bar as played: the chart bar (from 1) and the chorus pass it belongs to
// (from 1; 0 for a bar before or after the chorus).
struct Played_bar {
    int bar;
    int pass;
    bool operator==(const Played_bar&) const = default;
};

// The tracks "Drums" (channel 10), "Piano" (1, program 1), "Bass" (2, program 33).
// Bass and piano rest over "N.C." (and over the empty chord a chart may begin with).
// Failures: "Chart not in 4/4 time: 9" for a meter outside 2..7; the unrolling's; the generators'.
std::vector<Track> gen(const Chart& chart);
// The chart's chords and marks with the chorus played chorus().repeats times.
Unrolled extractchordseq(const Chart& chart, int bar_beats = 4);
// Bars 1, 2 | 3, 4 x 2 | 5 -> chords of bars 1 2 3 4 3 4 5, 7 bars; bar i (from 0)
// starts at beat bar_beats x i. "Chorus repeat count must be at least 1: 0";
// "Chorus bars 3-9 outside the chart's 8 bars" unless 1 <= begin <= end <= bars;
// "Chorus repeat count makes more than 10000 bars: 100000" beyond max_played_bars.
// Hours of music, and about a hundred megabytes to generate it.
inline constexpr std::int64_t max_played_bars = 10000;
std::pair<Chord_seq, int> unrollchords(const std::vector<Chart::Bar>& bars, int begin, int end, int repeats,
                                       int bar_beats = 4);
// The order the bars of a chart of bar_count bars are played in, the one
// unrolling the accompaniment and the playhead share: (5, 3, 4, 2) ->
// 1 2 3/1 4/1 3/2 4/2 5. Fails as unrollchords.
std::vector<Played_bar> played_bars(std::size_t bar_count, int begin, int end, int repeats);
// A mark before the chorus stays, one in it is placed once per repeat, one after
// it moves by (repeats - 1) chorus lengths; sorted by bar, then mark.
Sections unrollsections(const std::vector<Chart::Section>& sections, int begin, int end, int repeats);
// The marks of chorus bars, once per repeat.
Sections repeat_sections(const Sections& marks, int length, int repeats);
// The chord events of one bar at index i (from 0), starting at beat bar_beats x i;
// an N.C. or empty entry takes its beats but makes no event.
Chord_seq add_bar(const Chord_seq& seq, const Chart::Bar& bar, int index, int bar_beats = 4);
// The two count-in bars: claves (note 75, velocity 100) at beats 0 and 2, then
// every beat; with bar_beats 3, every beat of both bars.
Midi_seq co_seq(int bar_beats = 4);
// Every event moved amount beats later.
Midi_seq shift(const mpq_class& amount, const Midi_seq& seq);

}  // namespace zub::Gen
