// What a Play plays, as a list of legs: stretches of the accompaniment's
// ticks, each at its tempo, played one after the other without a gap. A
// count-in is a leg over the generator's count-in bars; a loop is a leg
// played again; the tempo trainer plays the loop a number of passes, each
// faster by a step. Live playback and rendering follow the same schedule, so
// a rendered file holds what would be heard.
#pragma once

#include <optional>
#include <vector>

#include "playback/accompaniment.h"
#include "playback/synth.h"

namespace zub::playback {

inline constexpr double slowest_bpm = 20, fastest_bpm = 400;

struct Play_options {
    std::optional<int> from_bar;  // a chart bar to start at (its first playing); none: the top
    bool looping = false;  // from from_bar (or the top) to the end of loop_last_bar, until stopped
    double tempo_bpm = 0;  // 0: the chart's tempo; the first pass's tempo of the trainer
    Mutes mutes;
    std::optional<int> loop_last_bar;  // the last chart bar of the loop; none: the last bar played
    std::optional<int> from_tick;      // the tick to start at instead of from_bar (a resumed pause; no count-in)
    int count_in_bars = 2;             // clicks before the first bar: 0, 1 or 2
    // The tempo trainer: the loop (from_bar to loop_last_bar, or the whole
    // chart) plays this many passes, then playing ends; 0: no trainer.
    int passes = 0;
    double tempo_step_bpm = 0;        // added to the tempo at each pass
    bool count_in_each_pass = false;  // the count-in again before every pass of the trainer
    int from_pass = 1;                // the trainer's pass that from_tick is in
};

// start_tick(accompaniment, 3) -> the tick where chart bar 3 first sounds;
// 0 for none (the count-in). Playback_error "Bar 40 is not played (the chart has 32 bars)".
int start_tick(const Accompaniment& accompaniment, std::optional<int> from_bar);

// The ticks a loop jumps between: from where first_bar first sounds (the
// count-in for none) to the end of last_bar's first playing after it (the end
// of the last bar played for none). loop_ticks(a, 3, 4) -> {tick of bar 3, tick of bar 5}.
// Playback_error as start_tick, and "Bar 2 is played before bar 3" for a loop that ends before it starts.
struct Loop_ticks {
    int start, end;
    bool operator==(const Loop_ticks&) const = default;
};
Loop_ticks loop_ticks(const Accompaniment& accompaniment, std::optional<int> first_bar, std::optional<int> last_bar);

struct Leg {
    int start_tick, end_tick;
    double tempo_bpm;  // 0: the playing tempo, which set_tempo changes while playing
    int pass = 0;      // the trainer's pass, from 1; 0 outside the trainer
    bool count_in = false;
    bool operator==(const Leg&) const = default;
};

struct Schedule {
    std::vector<Leg> legs;
    // After the last leg, play again from this one until stopped (a loop); none: playing ends.
    std::optional<std::size_t> repeat_from;
    bool operator==(const Schedule&) const = default;
};

// The schedule of options on the accompaniment. With count-in 1 the second
// count-in bar clicks (every beat); with 2, both. Trainer tempos are clamped
// to 20..400 bpm. Playback_error as loop_ticks, and "The count-in is 0, 1 or 2 bars: 3".
Schedule schedule_of(const Accompaniment& accompaniment, const Play_options& options);

// How long a schedule without repeat plays, in seconds, when playing_bpm is the playing tempo.
double schedule_seconds(const Schedule& schedule, int ticks_per_beat, double playing_bpm);

}  // namespace zub::playback
