// The editor's call into the accompaniment generator, and its random seed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// A bar as the accompaniment plays it: the chart bar (from 1) and the chorus
// pass it belongs to (from 1; 0 for a bar before or after the chorus).
struct Played_bar {
    int bar;
    int pass;
    bool operator==(const Played_bar&) const = default;
};

// How the accompaniment of a chart lies in time, as the generator lays it out.
struct Played_form {
    int count_in_bars;   // the claves' bars before the chart's first
    int beats_per_bar;   // the chart's meter: 4; 3 in a jazz waltz
    int ticks_per_beat;  // the MIDI file's
    int chart_bars;      // how many bars the chart has
    std::vector<Played_bar> bars;  // after the count-in, in playing order
    std::vector<int> bar_beats;    // the beats of each of those bars (its slots): 3 for a 3/4 bar in 4/4
};

}  // namespace zub

namespace zub::Entry_points {

// "Zub2lite.gen": the MIDI file of a chart dictionary, played as written (bridge/played_form.h). The core's heap is
// compacted first, since a generation builds many short-lived sequences.
// Bridge_exception "callWithParam:" with "Gen error (...): random seed = N".
Plist::Data zub2lite_gen(const Plist& chart);

// zub2lite_played_form(chart): bars 1-2, the chorus 3-4 twice, bar 5 in 4/4 ->
// count-in 2 bars of 4 beats of 480 ticks, then 1 2 3/1 4/1 3/2 4/2 5.
// Bridge_exception "zub2lite_played_form" with the generator's reason
// ("Chorus repeat count must be at least 1: 0", "Chart not in 4/4 time: 5").
Played_form zub2lite_played_form(const Plist& chart);

// The generator's random seed. It is drawn once per process (from ZUB_SEED
// when that holds a whole number); setting it repeats a run exactly:
// zub2lite_init_random_with(42), then zub2lite_gen(chart) gives the same bytes every time.
void zub2lite_init_random_with(std::uint64_t seed);
// The seed in use: 0 before the first generation.
std::uint64_t zub2lite_seed();
// zub2lite_seed_of("42") -> 42, as ZUB_SEED and --seed are read; none for "", "x1" or "-3".
std::optional<std::uint64_t> zub2lite_seed_of(std::string_view text);
// ZUB_SEED's seed; none when it is not set or holds no whole number.
std::optional<std::uint64_t> zub2lite_environment_seed();

}  // namespace zub::Entry_points
