// The chart record and the analysis values as core values: a chart crosses
// as the tuple (name, (meter, style type), key, tempo, bars, (begin, end,
// repeats), sections), a bar as a list of (symbol, beats) tuples, a section
// as (bar, mark character).
#pragma once

#include <vector>

#include "core/charts/chart.h"
#include "core/registry/value.h"

namespace zub::Chart_value {

Value of_chart(const Chart& chart);
// Invalid_argument with the accessor's message ("Not a tuple", ...) for a
// value of another shape.
Chart chart_of(const Value& value);

Value of_bars(const std::vector<Chart::Bar>& bars);
std::vector<Chart::Bar> bars_of(const Value& value);

}  // namespace zub::Chart_value
