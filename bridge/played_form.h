// The chart as played: the written bars put in playing order, following the
// chart's repeats, endings, segno, coda, D.C./D.S. and Fine (the walk is
// described in bridge/internal/form_walk.h), with the chorus played its
// "Repeats" times. Everything that plays or counts bars - the accompaniment,
// the playhead, MIDI, audio, BiaB and text charts - takes the chart from here.
// A chart without form marks plays as it always did: the bars before the
// chorus, the chorus repeated, the bars after it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "bridge/plist.h"

namespace zub {

struct PlayedBar {
    std::size_t bar = 0;  // the written bar, from 0
    int pass = 0;         // the chorus pass, from 1; 0 before and after the chorus
    bool operator==(const PlayedBar&) const = default;
};

// hasForm(chart) -> true when a bar carries a form mark (a repeat, an ending, a jump, a time signature).
bool hasForm(const Plist& chart);

// playedBars(chart) -> the written bars in playing order; choruses, when given, replaces
// "Repeats". Bridge_exception ("playForm") naming the bar where the form cannot be played:
// "Bar 7: To Coda without a coda after it", "Bar 3: the form plays more than 20000 bars",
// "Chorus bars 3-9 outside the chart's 8 bars"; the chart dictionary's own reasons.
std::vector<PlayedBar> playedBars(const Plist& chart, std::optional<int> choruses = std::nullopt);

// playedChart(chart) -> the chart as played: one bar dictionary per played bar, without form
// marks but "Time" where the meter changes in playing order, its chorus the whole of it played
// once. A played bar that begins with an empty slot holds the chord written before it,
// whatever bar the playing came from.
Plist playedChart(const Plist& chart, std::optional<int> choruses = std::nullopt);

}  // namespace zub
