// Turning a chart into the three instrument tracks: the chorus repeats are
// unrolled into one chord sequence and one list of section marks, the drums,
// piano and bass generators of the chart's style run in that order (the order
// of their random draws), and their output is moved behind a two-bar count-in
// of claves. Bars are as long as the meter; a bar of another length is laid on
// the meter's grid and the beats past it are cut out (see Grid).
#pragma once
#include <cstdint>
#include <utility>
#include <vector>
#include "core/charts/chart.h"
#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/style.h"

namespace zub::Gen {

// Where played bars lie on the grid of the chart's meter. A bar of that meter
// takes one grid bar; a shorter one too, a longer one as many as it reaches
// into; the beats of its grid bars past its end are cut out of what is played.
struct Grid {
    struct Cut {
        long from;  // beat on the grid
        long beats;
    };
    std::vector<int> first_grid_bar;  // per played bar, from 0
    std::vector<Cut> cuts;            // in time order
    int bars = 0;
};

struct Unrolled {
    Chord_seq chords;
    Sections sections;  // by grid bar
    int bars = 0;       // grid bars
    Grid grid;
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
// The same chord events from beat start; the last entry held `held` beats longer.
Chord_seq add_bar_at(const Chord_seq& seq, const Chart::Bar& bar, long start, long held);
// The beats of a bar: its entries' durations added.
int beats_of(const Chart::Bar& bar);
// Bars of 4, 2, 6 beats in 4/4 -> grid bars 0, 1, 2 (of 4), cuts at beat 6 (2 beats) and 14 (2 beats).
Grid grid_of(const std::vector<int>& bar_lengths, int bar_beats);
// The sequence with the cuts' beats taken out: events starting in one dropped,
// notes sounding into one shortened, everything after moved earlier.
Midi_seq cut(const Midi_seq& seq, const std::vector<Grid::Cut>& cuts);
// Every event moved amount beats later.
Midi_seq shift(const mpq_class& amount, const Midi_seq& seq);

}  // namespace zub::Gen
