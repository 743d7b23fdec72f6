// An accompaniment ready to play: the chart, its MIDI file generated exactly
// as "zub midi" makes it, the seed that repeats it, and where its bars fall.
#pragma once

#include <cstdint>
#include <optional>

#include "bridge/plist.h"
#include "playback/time_map.h"

namespace zub::playback {

struct Accompaniment {
    Plist chart;
    Plist::Data midi;
    std::uint64_t seed;
    Time_map time_map;
    int tempo;  // the chart's, in beats a minute
};

// generate(chart, 42) -> the same notes every time for seed 42; without a
// seed the generator's stream continues. Bridge_exception from the generator
// ("Gen error (...): random seed = N"), Playback_error for a chorus outside the chart.
Accompaniment generate(const Plist& chart, std::optional<std::uint64_t> seed);

}  // namespace zub::playback
