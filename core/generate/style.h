// The accompaniment style a chart is played in, chosen from its meter and its
// style code (core/charts/style_codes.h): 3/4 is a jazz waltz; in 4/4 the
// code names the style, BiaB's built-in codes going to the nearest one (Blues
// Shuffle to shuffle, Rhumba and Cha Cha to Latin, the rock and pop styles to
// even eighths); 2/4, 5/4, 6/4 and 7/4 swing, or play even eighths when the
// code asks for a straight feel. Each style fixes its kit, comping and bass.
#pragma once

#include <vector>

#include "core/charts/chart.h"

namespace zub {

enum class Style { swing, jazz_waltz, bossa_nova, ballad, two_feel, even_eighths, latin, funk, shuffle };

namespace Styles {

// ({3, 8}) -> jazz_waltz; ({4, 4}) -> bossa_nova; ({4, 1}) -> swing; ({4, 28}) -> latin;
// ({5, 28}) -> even_eighths; "Chart not in 4/4 time: 9" for a meter outside 2..7.
Style style_of(const Chart::Style& style);
// The groups a bar's beats fall in: 4 -> {2, 2}, 3 -> {3}, 5 -> {3, 2},
// 6 -> {3, 3}, 7 -> {4, 3}, 2 -> {2}.
std::vector<int> beat_groups(int meter);
// "swing", "jazz waltz", "bossa nova", "ballad", "two-feel", "even eighths",
// "latin", "funk", "shuffle".
const char* name(Style style);

}  // namespace Styles

}  // namespace zub
