// The map from played time back to the chart. The accompaniment plays a
// count-in, then the bars before the chorus, the chorus as often as it
// repeats, then the bars after it; a position in that playing is a bar of the
// count-in, or a chart bar with its slot and the chorus pass it belongs to.
// The generator owns that form (the count-in's length, the bar's beats, the
// ticks of a beat, the order of the bars); the map only reads it off.
// The editor's playhead and zub play's display follow the player with it.
#pragma once

#include <optional>
#include <vector>

#include "bridge/generation.h"
#include "bridge/plist.h"

namespace zub::playback {

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
    // The map of the generator's form; Playback_error "Nothing is played" for a form without bars.
    explicit Time_map(Played_form form);
    // of_chart(chart): the form the generator gives the chart dictionary;
    // Bridge_exception with its reason ("Chorus repeat count must be at least 1: 0").
    static Time_map of_chart(const Plist& chart);

    int played_bars() const { return static_cast<int>(form_.bars.size()); }
    int chart_bars() const { return form_.chart_bars; }
    // The chart's meter; the count-in's bars have as many beats.
    int beats_per_bar() const { return form_.beats_per_bar; }
    int ticks_per_beat() const { return form_.ticks_per_beat; }
    // Beats from the first click of the count-in to the end of the last bar.
    int total_beats() const { return starts_.back(); }
    int total_ticks() const { return total_beats() * form_.ticks_per_beat; }
    // Where chart bar 1 begins.
    int count_in_ticks() const { return count_in_beats() * form_.ticks_per_beat; }
    int count_in_beats() const { return form_.count_in_bars * form_.beats_per_bar; }
    // The beats of the bar played index-th (from 0); std::out_of_range past the last.
    int beats_of_played(int index) const { return form_.bar_beats.at(static_cast<std::size_t>(index)); }

    // at_beat(8.5) -> bar 1 slot 0 of the chart in 4/4 (the count-in takes beats 0 to 8).
    // Beats before 0 give the count-in's start; beats past the end, the last bar's last slot.
    Played_position at_beat(double beat) const;
    Played_position at_tick(long tick) const {
        return at_beat(static_cast<double>(tick) / form_.ticks_per_beat);
    }

    // The chart bar that is played index-th, counted from 0 after the count-in;
    // std::out_of_range past the last played bar.
    int chart_bar_of(int played_index) const { return form_.bars.at(static_cast<std::size_t>(played_index)).bar; }
    // The first beat at which chart bar `bar` sounds, after the count-in; none
    // for a bar that is never played (a bar out of range).
    std::optional<int> first_beat_of(int bar) const;

private:
    Played_form form_;
    int passes_ = 0;
    std::vector<int> starts_;  // the first beat of each played bar, then the end
};

}  // namespace zub::playback
