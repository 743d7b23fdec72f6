// Exports a chart record as a BiaB song file in the new layout, the one the
// BiaB reader reads back: same bars and sections, chorus repeats + 2.
#pragma once

#include <string>
#include <vector>

#include "core/charts/chart.h"

namespace zub::Biabwriter {

// A chord the file holds as the nearest chord it has a code for (Biabchords::
// nearest_code): as the chart has it ("Bdim7"), as the file holds it
// ("B:b3.b5"), and the bars (from 1) where it stands.
struct Approximation {
    std::string symbol;
    std::string written;
    std::vector<int> bars;
    bool operator==(const Approximation&) const = default;
};

struct Song_file {
    std::string bytes;
    std::vector<Approximation> approximations;  // in the order the chords first come
};

// write_song(chart) -> the file's bytes and the chords written as their nearest.
// Failures: "Invalid key: H", "Invalid section type: C", "Unrecognized meter: 5",
// "Illegal empty bar in adjust_bar_to_4_beats", and naming the bar of the chord:
// "Bar 3: Unrecognized chord: X7", "Bar 3: Cannot convert chord Cb7 to BiaB" (a root
// outside the key names, or a type no code comes near), "Bar 3: Unknown chord type: maj7",
// "Bar 3: Chord C7 has no beats"; "Chart too long for BiaB format: 1024 beats (at most 1020)",
// and for a field that does not fit its byte (a title over 60 characters, two
// marks on one bar, tempo 65536 or more, chorus end 252 or more)
// "Value out of range for BiaB file: 300" or Invalid_argument "char_of_int".
Song_file write_song(const Chart& chart);

// write_chart(chart) -> write_song's bytes alone.
std::string write_chart(const Chart& chart);

}  // namespace zub::Biabwriter
