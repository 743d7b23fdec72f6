// Writes a chart as a text chart: the header lines, then the bars four to a
// line, each chord followed by "_" for its further beats ("| C7 _ _ F7 |").
// Reading the text back gives the same chart whenever every bar's durations
// add up to the meter. The text format holds meters 2/4 to 7/4 only, the style
// codes 1, 4 and 8, and the section marks A and B; other values are written
// as the nearest the format has.
#pragma once

#include <string>

#include "core/charts/chart.h"

namespace zub::Kelwriter {

// Failures: "Cannot write chord \"C 7\" in a text chart" for a symbol that is
// empty, "_", or holds a blank or "|"; "Cannot write an empty bar in a text chart";
// "Cannot write a chord of 0 beats in a text chart"; "Cannot write name \"A\nB\"
// in a text chart" (and the same for the key) for a line break in the value.
std::string write_chart(const Chart& chart);

}  // namespace zub::Kelwriter
