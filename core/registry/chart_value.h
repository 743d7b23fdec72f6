// The chart record and the analysis values as core values: a chart crosses
// as the tuple (name, (meter, style type), key, tempo, bars, (begin, end,
// repeats), sections[, forms]), a bar as a list of (symbol, beats) tuples, a
// section as (bar, mark character), the form marks of a bar as (bar, repeat
// start, repeat end, endings, segno, to coda, coda, fine, direction, time);
// a chart without form marks has no eighth field.
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
// The eighth field alone: the list of form marks.
Value of_forms(const std::vector<Chart::Marks>& forms);
std::vector<Chart::Marks> forms_of(const Value& value);
std::vector<Chart::Bar> bars_of(const Value& value);

}  // namespace zub::Chart_value
