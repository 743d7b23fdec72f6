// The map from played time back to the chart. The accompaniment plays a
// two-bar count-in, then the bars before the chorus, the chorus as often as
// it repeats, then the bars after it; a position in that playing is a bar of
// the count-in, or a chart bar with its slot and the chorus pass it belongs to.
// The editor's playhead and zub play's display follow the player with it.
#pragma once

#include <optional>
#include <vector>

#include "bridge/played_form.h"
#include "bridge/plist.h"

namespace zub::playback {

inline constexpr int count_in_bars = 2;
inline constexpr int ticks_per_beat = 480;

struct Played_position {
    bool count_in = false;  // bar is then 1 or 2 of the count-in
    int bar = 1;            // the chart bar, counted from 1
    int slot = 0;           // the beat within the bar, counted from 0
    int pass = 0;           // the chorus pass, from 1; 0 for a bar before or after the chorus
    int passes = 0;         // how many times the chorus plays
    int played = -1;        // the bar's index among the played bars after the count-in; -1 in the count-in
    bool operator==(const Played_position&) const = default;
};

class Time_map {
public:
    // Time_map(5, 3, 4, 2, 4): bars 1-2, the chorus 3-4 twice, bar 5; 7 bars of
    // 4 beats played (a jazz waltz's bars, and its count-in's, have 3).
    // Playback_error "Invalid chorus: bars 3 to 9 of 5" unless 1 <= begin <= end <= bar_count,
    // "Invalid meter: 0" outside 1 to 16. A repeat count below 1 leaves the chorus out, as the generator does.
    Time_map(int bar_count, int chorus_begin, int chorus_end, int repeats, int beats_per_bar);
    // The same from a chart dictionary ("Chords", "Chorus", "Style"/"Meter"; an
    // "End" of 2147483647 is the last bar); Bridge_exception for a missing key.
    // A chart with form marks is mapped through its played bars (bridge/played_form.h):
    // the written bar of every played bar, on each pass.
    static Time_map of_chart(const Plist& chart);

    int played_bars() const;
    int chart_bars() const { return bar_count_; }
    int beats_per_bar() const { return bar_beats_; }
    // Beats from the first click of the count-in to the end of the last bar.
    int total_beats() const { return (count_in_bars + played_bars()) * bar_beats_; }

    // at_beat(8.5) -> bar 1 slot 0 of the chart (the count-in takes beats 0 to 8).
    // Beats before 0 give the count-in's start; beats past the end, the last bar's last slot.
    Played_position at_beat(double beat) const;
    Played_position at_tick(long tick) const { return at_beat(static_cast<double>(tick) / ticks_per_beat); }

    // The chart bar that is played index-th, counted from 0 after the count-in.
    int chart_bar_of(int played_index) const;
    // The first beat at which chart bar `bar` sounds, after the count-in; none
    // for a bar that is never played (a chorus bar with repeats 0, a bar out of range).
    std::optional<int> first_beat_of(int bar) const;

private:
    int bar_count_, begin_, end_, repeats_, bar_beats_;
    std::vector<PlayedBar> played_;  // the playing order of a chart with form marks; empty otherwise
};

}  // namespace zub::playback
