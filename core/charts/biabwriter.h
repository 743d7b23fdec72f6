// Exports a chart record as a BiaB song file in the new layout, the one the
// BiaB reader reads back: same bars and sections, chorus repeats + 2.
#pragma once

#include <string>

#include "core/charts/chart.h"

namespace zub::Biabwriter {

// write_chart(chart) -> the file's bytes. Failures: "Invalid key: H",
// "Invalid section type: C", "Unrecognized meter: 5",
// "Illegal empty bar in adjust_bar_to_4_beats", "Unrecognized chord: X7",
// "Cannot convert chord Cb7 to BiaB", "Unknown chord type: maj7",
// "Chord C7 has no beats", "Chart too long for BiaB format: 1024 beats (at most 1020)",
// and for a field that does not fit its byte (a title over 60 characters, two
// marks on one bar, tempo 65536 or more, chorus end 252 or more)
// "Value out of range for BiaB file: 300" or Invalid_argument "char_of_int".
std::string write_chart(const Chart& chart);

}  // namespace zub::Biabwriter
